// The audio system: synthesiser and wave mixer behind one lock, rendered into one output.
#include "platform/audio_system.h"

#include <algorithm>
#include <cstring>

namespace brisenfall {

Audio_system::Audio_system(std::unique_ptr<Audio_output> output, const std::optional<std::filesystem::path>& soundfont)
    : output_(std::move(output)) {
  // The SoundFont loads before the output starts pulling, so the first render finds it ready.
  if (soundfont) synth_ = Midi_synth::create(*soundfont, audio_output_rate);
  open_ = output_ != nullptr && output_->open([this](float* out, int frames) { render(out, frames); });
  if (!open_) synth_.reset();
}

Audio_system::~Audio_system() { close(); }

void Audio_system::close() {
  if (output_) output_->close();
  std::lock_guard lock(mutex_);
  open_ = false;
  synth_.reset();
  mixer_.clear();
}

void Audio_system::render(float* out, int frames) {
  std::lock_guard lock(mutex_);
  if (synth_) {
    synth_->render(out, frames);
  } else {
    std::memset(out, 0, sizeof(float) * 2 * static_cast<size_t>(frames));
  }
  mixer_.mix(out, frames);
  for (float* at = out; at != out + 2 * static_cast<size_t>(frames); ++at) *at = std::clamp(*at, -1.0f, 1.0f);
}

bool Audio_system::music_start(std::span<const uint8_t> midi, int plays) {
  std::lock_guard lock(mutex_);
  return synth_ != nullptr && synth_->start(midi, plays);
}

void Audio_system::music_stop() {
  std::lock_guard lock(mutex_);
  if (synth_) synth_->stop();
}

bool Audio_system::music_playing() {
  std::lock_guard lock(mutex_);
  return synth_ != nullptr && synth_->playing();
}

void Audio_system::music_level(double hundredths) {
  std::lock_guard lock(mutex_);
  if (synth_) synth_->set_level(hundredths);
}

int Audio_system::wave_add(std::shared_ptr<const Wave_sound> sound) {
  std::lock_guard lock(mutex_);
  return open_ ? mixer_.add(std::move(sound)) : 0;
}

void Audio_system::wave_remove(int voice) {
  std::lock_guard lock(mutex_);
  mixer_.remove(voice);
}

void Audio_system::wave_play(int voice, bool loop, int64_t position) {
  std::lock_guard lock(mutex_);
  mixer_.play(voice, loop, position);
}

void Audio_system::wave_stop(int voice) {
  std::lock_guard lock(mutex_);
  mixer_.stop(voice);
}

void Audio_system::wave_volume(int voice, int32_t hundredths) {
  std::lock_guard lock(mutex_);
  mixer_.set_volume(voice, hundredths);
}

void Audio_system::wave_pan(int voice, int32_t hundredths) {
  std::lock_guard lock(mutex_);
  mixer_.set_pan(voice, hundredths);
}

void Audio_system::wave_frequency(int voice, int32_t hertz) {
  std::lock_guard lock(mutex_);
  mixer_.set_frequency(voice, hertz);
}

}  // namespace brisenfall
