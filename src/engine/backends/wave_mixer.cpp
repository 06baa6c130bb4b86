// The wave mixer. Each voice feeds its sound through an SDL audio stream that resamples from the
// voice's playback rate to the output rate; the stream is rebuilt when the rate changes.
#include "engine/backends/wave_mixer.h"

#include <SDL.h>

#include <algorithm>

#include "engine/backends/audio_levels.h"

namespace varnel2d {
namespace {

constexpr int frame_bytes = 2 * static_cast<int>(sizeof(float));
constexpr int64_t feed_frames = 1024;
const float silence[2 * feed_frames] = {};

// SDL's resampler holds back the last few hundred input frames (more when it reduces the rate) and
// a flush does not release them, so a sound that ends is followed by this much silence.
int64_t resampler_tail_frames(int32_t rate, int output_rate) { return feed_frames * (1 + rate / output_rate); }

}  // namespace

struct wave_mixer::voice_state {
  std::shared_ptr<const wave_sound> sound;
  SDL_AudioStream* stream = nullptr;
  int32_t rate = 0;
  int32_t volume = 0;
  int32_t pan = 0;
  float left = 1.0f;
  float right = 1.0f;
  int64_t cursor = 0;  // next frame of the sound to feed into the stream
  int64_t tail_left = 0;  // silence still to feed after the end
  bool playing = false;
  bool looping = false;
  bool flushed = false;

  ~voice_state() {
    if (stream != nullptr) SDL_FreeAudioStream(stream);
  }

  void build_stream(int output_rate) {
    if (stream != nullptr) SDL_FreeAudioStream(stream);
    stream = SDL_NewAudioStream(AUDIO_F32SYS, 2, rate, AUDIO_F32SYS, 2, output_rate);
    flushed = false;
  }

  void update_gains() {
    const stereo_gain sides = pan_gains(pan);
    const double level = gain_from_hundredths(volume);
    left = static_cast<float>(level * sides.left);
    right = static_cast<float>(level * sides.right);
  }

  // Puts the next piece of the sound into the stream (wrapping when looping; at the end, silence to
  // push the resampler's tail out, then a flush). False when nothing more will come out.
  bool feed() {
    const int64_t total = sound->frames();
    if (cursor >= total && looping && total > 0) cursor = 0;
    if (cursor < total) {
      const int64_t count = std::min(feed_frames, total - cursor);
      SDL_AudioStreamPut(stream, sound->samples.data() + 2 * cursor, static_cast<int>(count) * frame_bytes);
      cursor += count;
      return true;
    }
    if (tail_left > 0) {
      const int64_t count = std::min(feed_frames, tail_left);
      SDL_AudioStreamPut(stream, silence, static_cast<int>(count) * frame_bytes);
      tail_left -= count;
      return true;
    }
    if (flushed) return false;
    SDL_AudioStreamFlush(stream);
    flushed = true;
    return true;
  }
};

wave_mixer::wave_mixer(int output_rate) : output_rate_(output_rate) {}
wave_mixer::~wave_mixer() = default;

wave_mixer::voice_state* wave_mixer::find(int voice) {
  const auto it = voices_.find(voice);
  return it == voices_.end() ? nullptr : it->second.get();
}

int wave_mixer::add(std::shared_ptr<const wave_sound> sound) {
  auto voice = std::make_unique<voice_state>();
  voice->rate = sound->rate;
  voice->sound = std::move(sound);
  voice->build_stream(output_rate_);
  const int id = next_id_++;
  voices_.emplace(id, std::move(voice));
  return id;
}

void wave_mixer::remove(int voice) { voices_.erase(voice); }

void wave_mixer::clear() { voices_.clear(); }

void wave_mixer::play(int voice, bool loop, int64_t position) {
  voice_state* v = find(voice);
  if (v == nullptr || v->stream == nullptr) return;
  SDL_AudioStreamClear(v->stream);
  const int64_t frame = std::max<int64_t>(position, 0) / std::max(v->sound->file_frame_bytes, 1);
  v->cursor = std::min(frame, v->sound->frames());
  v->looping = loop;
  v->tail_left = resampler_tail_frames(v->rate, output_rate_);
  v->flushed = false;
  v->playing = true;
}

void wave_mixer::stop(int voice) {
  if (voice_state* v = find(voice)) v->playing = false;
}

void wave_mixer::set_volume(int voice, int32_t hundredths) {
  if (voice_state* v = find(voice)) {
    v->volume = clamp_wave_volume(hundredths);
    v->update_gains();
  }
}

void wave_mixer::set_pan(int voice, int32_t hundredths) {
  if (voice_state* v = find(voice)) {
    v->pan = hundredths;
    v->update_gains();
  }
}

void wave_mixer::set_frequency(int voice, int32_t hertz) {
  voice_state* v = find(voice);
  if (v == nullptr) return;
  const int32_t rate = wave_playback_rate(hertz, v->sound->rate);
  if (rate == v->rate) return;
  v->rate = rate;
  v->build_stream(output_rate_);
}

void wave_mixer::mix(float* out, int frames) {
  for (auto& [id, state] : voices_) {
    voice_state& v = *state;
    if (!v.playing || v.stream == nullptr) continue;
    for (int done = 0; done < frames;) {
      const int available = SDL_AudioStreamAvailable(v.stream) / frame_bytes;
      if (available == 0) {
        if (!v.feed()) {
          v.playing = false;
          break;
        }
        continue;
      }
      const int wanted = std::min(available, frames - done);
      if (scratch_.size() < 2 * static_cast<size_t>(wanted)) scratch_.resize(2 * static_cast<size_t>(wanted));
      const int got = SDL_AudioStreamGet(v.stream, scratch_.data(), wanted * frame_bytes) / frame_bytes;
      if (got <= 0) break;
      float* at = out + 2 * static_cast<size_t>(done);
      for (int i = 0; i < got; ++i) {
        at[2 * i] += v.left * scratch_[2 * static_cast<size_t>(i)];
        at[2 * i + 1] += v.right * scratch_[2 * static_cast<size_t>(i) + 1];
      }
      done += got;
    }
  }
}

}  // namespace varnel2d
