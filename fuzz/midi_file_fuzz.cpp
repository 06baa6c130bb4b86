// Fuzz target: a music file's bytes checked as standard MIDI, unwrapped first when RIFF MIDI, and
// the instruments its events select (read from checked data and from the raw bytes alike).
#include "fuzz/fuzz_input.h"
#include "engine/backends/midi_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto bytes = fuzz::bytes(data, size);
  if (const auto midi = varnel2d::midi_data({bytes.begin(), bytes.end()})) varnel2d::midi_programs(*midi);
  varnel2d::midi_programs(bytes);
  return 0;
}
