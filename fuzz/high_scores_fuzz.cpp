// Fuzz target: the high-score file reader.
#include "engine/extras/high_scores.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  varnel2d::high_score_table table;
  varnel2d::read_high_scores(fuzz::text(data, size), table);
  return 0;
}
