// The audio system: one output, the MIDI synthesiser and the wave mixer rendered together into it.
// Every call is thread-safe: one lock serialises the engine's calls with the output's render pulls.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <span>

#include <varnel2d/audio_output.h>
#include "engine/backends/instrument_keeper.h"
#include "engine/backends/midi_synth.h"
#include "engine/backends/wave_mixer.h"
#include "engine/backends/wave_sound.h"

namespace varnel2d {

class audio_system {
 public:
  // Opens `output`. Music is available when the output opened and `soundfont` loaded; sound when
  // the output opened.
  audio_system(std::unique_ptr<audio_output> output, const std::optional<std::filesystem::path>& soundfont);
  ~audio_system();
  audio_system(const audio_system&) = delete;
  audio_system& operator=(const audio_system&) = delete;

  bool sound_available() const { return open_; }
  bool music_available() const { return open_ && synth_ != nullptr; }

  // Stops the output first (no render runs after it), then releases the synthesiser and voices.
  void close();

  // Music (no effect without music): one piece at a time, `plays` times in all. A piece prepared
  // in advance has its instruments loaded soon after, in the background, and kept while the
  // system is open.
  void music_prepare(std::span<const uint8_t> midi);
  bool music_start(std::span<const uint8_t> midi, int plays);
  void music_stop();
  bool music_playing();
  void music_level(double hundredths);

  // Wave voices (no effect without sound); see wave_mixer. `wave_add` returns 0 without sound.
  int wave_add(std::shared_ptr<const wave_sound> sound);
  void wave_remove(int voice);
  void wave_play(int voice, bool loop, int64_t position);
  void wave_stop(int voice);
  void wave_volume(int voice, int32_t hundredths);
  void wave_pan(int voice, int32_t hundredths);
  void wave_frequency(int voice, int32_t hertz);

 private:
  void render(float* out, int frames);

  std::mutex mutex_;
  std::unique_ptr<audio_output> output_;
  std::unique_ptr<midi_synth> synth_;
  std::optional<std::filesystem::path> soundfont_;
  std::unique_ptr<instrument_keeper> keeper_;
  wave_mixer mixer_{audio_output_rate};
  bool open_ = false;
};

}  // namespace varnel2d
