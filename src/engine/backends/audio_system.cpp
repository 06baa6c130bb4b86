// The audio system: synthesiser and wave mixer behind one lock, rendered into one output.
#include "engine/backends/audio_system.h"

#include <algorithm>
#include <cstring>

namespace varnel2d {

audio_system::audio_system(std::unique_ptr<audio_output> output, const std::optional<std::filesystem::path>& soundfont)
    : output_(std::move(output)), soundfont_(soundfont) {
  // The SoundFont loads before the output starts pulling, so the first render finds it ready;
  // without an output it is not loaded at all.
  if (soundfont && output_ != nullptr) synth_ = midi_synth::create(*soundfont, audio_output_rate);
  open_ = output_ != nullptr && output_->open([this](float* out, int frames) { render(out, frames); });
  if (!open_) synth_.reset();
}

audio_system::~audio_system() { close(); }

void audio_system::close() {
  if (output_) output_->close();
  std::lock_guard lock(mutex_);
  open_ = false;
  synth_.reset();
  mixer_.clear();
  keeper_.reset();
}

void audio_system::render(float* out, int frames) {
  std::lock_guard lock(mutex_);
  if (synth_) {
    synth_->render(out, frames);
  } else {
    std::memset(out, 0, sizeof(float) * 2 * static_cast<size_t>(frames));
  }
  mixer_.mix(out, frames);
  for (float* at = out; at != out + 2 * static_cast<size_t>(frames); ++at) *at = std::clamp(*at, -1.0f, 1.0f);
}

void audio_system::music_prepare(std::span<const uint8_t> midi) {
  if (!music_available()) return;
  std::lock_guard lock(mutex_);
  if (keeper_ == nullptr) keeper_ = instrument_keeper::create(*soundfont_);
  if (keeper_ != nullptr) keeper_->keep(midi);
}

bool audio_system::music_start(std::span<const uint8_t> midi, int plays) {
  std::lock_guard lock(mutex_);
  return synth_ != nullptr && synth_->start(midi, plays);
}

void audio_system::music_stop() {
  std::lock_guard lock(mutex_);
  if (synth_) synth_->stop();
}

bool audio_system::music_playing() {
  std::lock_guard lock(mutex_);
  return synth_ != nullptr && synth_->playing();
}

void audio_system::music_level(double hundredths) {
  std::lock_guard lock(mutex_);
  if (synth_) synth_->set_level(hundredths);
}

int audio_system::wave_add(std::shared_ptr<const wave_sound> sound) {
  std::lock_guard lock(mutex_);
  return open_ ? mixer_.add(std::move(sound)) : 0;
}

void audio_system::wave_remove(int voice) {
  std::lock_guard lock(mutex_);
  mixer_.remove(voice);
}

void audio_system::wave_play(int voice, bool loop, int64_t position) {
  std::lock_guard lock(mutex_);
  mixer_.play(voice, loop, position);
}

void audio_system::wave_stop(int voice) {
  std::lock_guard lock(mutex_);
  mixer_.stop(voice);
}

void audio_system::wave_volume(int voice, int32_t hundredths) {
  std::lock_guard lock(mutex_);
  mixer_.set_volume(voice, hundredths);
}

void audio_system::wave_pan(int voice, int32_t hundredths) {
  std::lock_guard lock(mutex_);
  mixer_.set_pan(voice, hundredths);
}

void audio_system::wave_frequency(int voice, int32_t hertz) {
  std::lock_guard lock(mutex_);
  mixer_.set_frequency(voice, hertz);
}

}  // namespace varnel2d
