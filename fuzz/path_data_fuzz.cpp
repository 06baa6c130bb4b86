// Fuzz target: the offset path readers, a file of paths and a file of one path.
#include "engine/sprites/animation_table.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  varnel2d::animation_table table;
  varnel2d::read_offset_data(fuzz::text(data, size), table);
  varnel2d::offset_path path;
  varnel2d::read_offset_path(fuzz::text(data, size), path);
  return 0;
}
