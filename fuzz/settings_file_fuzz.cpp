// Fuzz target: the settings file reader, from the defaults as at start.
#include "fuzz/fuzz_input.h"
#include "shell/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  brisenfall::settings_values values;
  brisenfall::parse_settings_file(fuzz::text(data, size), values);
  return 0;
}
