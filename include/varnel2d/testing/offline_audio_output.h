// The offline audio double: renders the engine's music and sound into memory when asked, on the
// calling thread, with no sound card (tests and measurements).
#pragma once

#include <vector>

#include <varnel2d/audio_output.h>

namespace varnel2d {

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

}  // namespace varnel2d
