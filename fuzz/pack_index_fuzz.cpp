// Fuzz target: the pack index reader and the checks of its entries against a data file.
#include "engine/extras/pack.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (const auto entries = varnel2d::read_pack_index(fuzz::text(data, size)))
    varnel2d::entries_fit(*entries, 4096);
  return 0;
}
