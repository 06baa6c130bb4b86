// Fuzz target: opening the compressed container.
#include "engine/extras/compression.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  varnel2d::uncompress_container(fuzz::text(data, size));
  return 0;
}
