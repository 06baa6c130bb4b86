// Keeps the instruments of loaded pieces in memory. The synthesiser loads a SoundFont's samples on
// demand, when a program change selects them, which happens on the audio thread as a piece plays,
// and frees them again when the next piece resets it: a disk read in the middle of the music and
// a heap that grows with every new instrument. FluidSynth shares loaded samples between all the
// synthesisers of a process, so a second, silent synthesiser holding each instrument selected on
// a channel of its own keeps them loaded, and the playing one finds them there. The keeper loads
// on a thread of its own, so that neither the show's start nor the output waits for the disk.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "engine/backends/midi_file.h"

namespace varnel2d {

class instrument_keeper {
 public:
  // A keeper for `soundfont`; nothing when the file is missing or damaged. A SoundFont that
  // FluidSynth still cannot load leaves the keeper holding nothing.
  static std::unique_ptr<instrument_keeper> create(const std::filesystem::path& soundfont);
  // Stops once what is being loaded is in (an instrument, or at the very start the SoundFont's
  // structure), and releases every instrument held.
  ~instrument_keeper();
  instrument_keeper(const instrument_keeper&) = delete;
  instrument_keeper& operator=(const instrument_keeper&) = delete;

  // Hands over the standard MIDI data, whose instruments are loaded soon after and kept while the
  // keeper lives. An instrument the SoundFont lacks is kept as the one the synthesiser falls back
  // to (the same program in bank 0). Beyond `capacity` instruments nothing more is kept.
  void keep(std::span<const uint8_t> midi);

  // The instruments held once all the data handed over so far is done, in the order they were
  // first kept.
  std::vector<midi_program> kept();

  static constexpr int capacity = 256;  // FluidSynth's most MIDI channels

 private:
  struct fluid_state;
  explicit instrument_keeper(std::filesystem::path soundfont);
  void load_in_turn();
  void hold_all(fluid_state& fluid, const std::vector<midi_program>& wanted);
  bool hold(fluid_state& fluid, const midi_program& instrument);

  const std::filesystem::path soundfont_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::vector<midi_program>> waiting_;  // the instruments of each piece handed over
  bool busy_ = false;
  bool closing_ = false;
  std::vector<midi_program> kept_;
  std::thread loader_;
};

}  // namespace varnel2d
