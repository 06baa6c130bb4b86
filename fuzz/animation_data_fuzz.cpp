// Fuzz target: the animation data file reader and the number reader under it.
#include "engine/sprites/animation_table.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  brisenfall::animation_table table;
  brisenfall::read_animation_data(brisenfall::fuzz::text(data, size), table, 0);
  return 0;
}
