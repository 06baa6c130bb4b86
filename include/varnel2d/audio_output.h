// The audio output seam: something that pulls interleaved float stereo from a render callback.
// The device backend calls it from SDL's audio thread; the offline double of
// <varnel2d/testing/offline_audio_output.h> calls it on the caller's thread, on demand.
#pragma once

#include <functional>
#include <memory>

namespace varnel2d {

// Output sample rate of every backend, in frames per second.
inline constexpr int audio_output_rate = 44100;

class audio_output {
 public:
  // Fills `frames` interleaved stereo float frames (left, right) into `out`.
  using render_function = std::function<void(float* out, int frames)>;

  virtual ~audio_output() = default;

  // Starts pulling from `render`. False when no output is available; render is then never called.
  virtual bool open(render_function render) = 0;

  // Stops pulling: once this returns, `render` is not running and is never called again.
  virtual void close() = 0;
};

// The sound card through SDL (its own audio thread). Closing pauses and closes the device.
std::unique_ptr<audio_output> make_device_audio_output();

}  // namespace varnel2d
