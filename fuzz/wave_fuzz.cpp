// Fuzz target: a wave sound decoded and converted to float stereo.
#include "fuzz/fuzz_input.h"
#include "engine/backends/wave_sound.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  varnel2d::decode_wave(fuzz::bytes(data, size), "input.wav");
  return 0;
}
