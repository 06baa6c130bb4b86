// Fuzz target: a music file's bytes checked as standard MIDI, unwrapped first when RIFF MIDI.
#include "fuzz/fuzz_input.h"
#include "platform/midi_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  brisenfall::midi_data(std::vector<uint8_t>(data, data + size));
  return 0;
}
