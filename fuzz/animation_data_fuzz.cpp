// Fuzz target: the animation data file reader and the number reader under it.
#include "engine/sprites/animation_table.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  varnel2d::animation_table table;
  varnel2d::read_animation_data(fuzz::text(data, size), table, 0);
  return 0;
}
