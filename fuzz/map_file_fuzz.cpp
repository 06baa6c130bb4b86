// Fuzz target: the map file reader.
#include "engine/extras/map_file.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  brisenfall::read_map_file(brisenfall::fuzz::text(data, size));
  return 0;
}
