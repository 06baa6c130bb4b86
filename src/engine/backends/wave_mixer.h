// The wave mixer: independent voices, one per loaded sound, each with play/loop/stop, a play
// position in the file's bytes, volume and pan in hundredths of a decibel and a playback rate
// reached by resampling. Not thread-safe on its own: the audio system serialises the calls.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "engine/backends/wave_sound.h"

namespace varnel2d {

class wave_mixer {
 public:
  explicit wave_mixer(int output_rate);
  ~wave_mixer();
  wave_mixer(const wave_mixer&) = delete;
  wave_mixer& operator=(const wave_mixer&) = delete;

  // Adds a stopped voice for the sound at full volume, centred, at the file's rate; returns its id.
  int add(std::shared_ptr<const wave_sound> sound);
  void remove(int voice);
  // Removes every voice.
  void clear();

  // Restarts the voice from `position` bytes of the file's data (rounded down to a whole frame),
  // once or looping over the whole sound.
  void play(int voice, bool loop, int64_t position);
  void stop(int voice);
  void set_volume(int voice, int32_t hundredths);
  void set_pan(int voice, int32_t hundredths);
  // Playback rate in hertz; 0 returns to the file's own rate.
  void set_frequency(int voice, int32_t hertz);

  // Adds every playing voice into `out` (`frames` interleaved stereo frames).
  void mix(float* out, int frames);

 private:
  struct voice_state;
  voice_state* find(int voice);
  int output_rate_;
  int next_id_ = 1;
  std::map<int, std::unique_ptr<voice_state>> voices_;
  std::vector<float> scratch_;
};

}  // namespace varnel2d
