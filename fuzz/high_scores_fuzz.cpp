// Fuzz target: the high-score file reader.
#include "engine/extras/high_scores.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  brisenfall::high_score_table table;
  brisenfall::read_high_scores(brisenfall::fuzz::text(data, size), table);
  return 0;
}
