// The audio output seam: something that pulls interleaved float stereo from a render callback.
// The device backend calls it from SDL's audio thread; the offline backend calls it on the caller's
// thread, on demand, with no device at all (tests and measurements).
#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace brisenfall {

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

// Renders into memory when asked, on the calling thread.
class offline_audio_output final : public audio_output {
 public:
  bool open(render_function render) override;
  void close() override;

  // Pulls `frames` frames from the render callback (silence when not open).
  std::vector<float> render(int frames);

 private:
  render_function render_;
};

}  // namespace brisenfall
