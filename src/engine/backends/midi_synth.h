// The MIDI synthesiser: FluidSynth with one General MIDI SoundFont, playing one piece at a time.
// Not thread-safe on its own: the audio system serialises every call with its render calls.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

namespace varnel2d {

class midi_synth {
 public:
  // A synthesiser at `sample_rate` with `soundfont` loaded (samples loaded on demand) and its gain;
  // nothing when FluidSynth cannot be set up or the SoundFont does not load.
  static std::unique_ptr<midi_synth> create(const std::filesystem::path& soundfont, int sample_rate);
  ~midi_synth();
  midi_synth(const midi_synth&) = delete;
  midi_synth& operator=(const midi_synth&) = delete;

  // Stops what plays and starts the standard MIDI data (checked by the caller) with a fresh player,
  // `plays` times in all (at least 1). False when the player cannot be created.
  bool start(std::span<const uint8_t> midi, int plays);

  // Stops the piece and silences the synthesiser at once, ready for the next start.
  void stop();

  // True while a started piece has not reached the end of its last play.
  bool playing();

  // Master level in hundredths of a decibel on top of the SoundFont's gain.
  void set_level(double hundredths);

  // Renders `frames` interleaved stereo frames into `out` (overwriting it).
  void render(float* out, int frames);

 private:
  struct fluid_state;
  explicit midi_synth(std::unique_ptr<fluid_state> fluid);
  std::unique_ptr<fluid_state> fluid_;
};

}  // namespace varnel2d
