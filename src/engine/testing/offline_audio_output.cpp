// The offline audio output: renders into memory on the calling thread.
#include <varnel2d/testing/offline_audio_output.h>

namespace varnel2d {

bool offline_audio_output::open(render_function render) {
  render_ = std::move(render);
  return true;
}

void offline_audio_output::close() { render_ = nullptr; }

std::vector<float> offline_audio_output::render(int frames) {
  std::vector<float> out(2 * static_cast<size_t>(frames), 0.0f);
  if (render_) render_(out.data(), frames);
  return out;
}

}  // namespace varnel2d
