// Keeps the instruments of loaded pieces in memory. The synthesiser loads a SoundFont's samples on
// demand, when a program change selects them, which happens on the audio thread as a piece plays,
// and frees them again when the next piece resets it: a disk read in the middle of the music and
// a heap that grows with every new instrument. FluidSynth shares loaded samples between all the
// synthesisers of a process, so a second, silent synthesiser holding each instrument selected on
// a channel of its own keeps them loaded, and the playing one finds them there.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "platform/midi_file.h"

namespace brisenfall {

class instrument_keeper {
 public:
  // A keeper for `soundfont`; nothing when it is damaged or FluidSynth cannot load it.
  static std::unique_ptr<instrument_keeper> create(const std::filesystem::path& soundfont);
  ~instrument_keeper();
  instrument_keeper(const instrument_keeper&) = delete;
  instrument_keeper& operator=(const instrument_keeper&) = delete;

  // Loads now the instruments the standard MIDI data selects, and keeps them while the keeper
  // lives. An instrument the SoundFont lacks is kept as the one the synthesiser falls back to
  // (the same program in bank 0). Beyond `capacity` instruments nothing more is kept.
  void keep(std::span<const uint8_t> midi);

  // The instruments held, in the order they were first kept.
  const std::vector<midi_program>& kept() const { return kept_; }

  static constexpr int capacity = 256;  // FluidSynth's most MIDI channels

 private:
  struct fluid_state;
  explicit instrument_keeper(std::unique_ptr<fluid_state> fluid);
  bool hold(const midi_program& instrument);

  std::unique_ptr<fluid_state> fluid_;
  std::vector<midi_program> kept_;
};

}  // namespace brisenfall
