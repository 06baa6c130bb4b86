// Fuzz target: the offset path readers, a file of paths and a file of one path.
#include "engine/sprites/animation_table.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  brisenfall::animation_table table;
  brisenfall::read_offset_data(brisenfall::fuzz::text(data, size), table);
  brisenfall::offset_path path;
  brisenfall::read_offset_path(brisenfall::fuzz::text(data, size), path);
  return 0;
}
