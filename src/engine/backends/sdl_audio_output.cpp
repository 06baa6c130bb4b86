// The device audio output on SDL: a float stereo device at the fixed output rate (SDL converts if
// the card wants something else), pulled from SDL's audio thread.
#include <SDL.h>

#include <iostream>

#include <varnel2d/audio_output.h>

namespace varnel2d {
namespace {

// About 23 ms a buffer: short enough that a stop is heard at once, long enough to not starve.
constexpr Uint16 buffer_frames = 1024;

class sdl_audio_output final : public audio_output {
 public:
  ~sdl_audio_output() override { close(); }

  bool open(render_function render) override {
    close();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return no_device();
    render_ = std::move(render);
    SDL_AudioSpec wanted{};
    wanted.freq = audio_output_rate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = buffer_frames;
    wanted.callback = &sdl_audio_output::pull;
    wanted.userdata = this;
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) {
      const bool none = no_device();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      render_ = nullptr;
      return none;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }

  // SDL_CloseAudioDevice waits for the audio thread to finish and joins it.
  void close() override {
    if (device_ == 0) return;
    SDL_PauseAudioDevice(device_, 1);
    SDL_CloseAudioDevice(device_);
    device_ = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    render_ = nullptr;
  }

 private:
  // Says why on stderr; false.
  static bool no_device() {
    std::cerr << "varnel2d: no audio device (" << SDL_GetError() << "); running without sound\n";
    return false;
  }

  static void pull(void* self, Uint8* stream, int bytes) {
    static_cast<sdl_audio_output*>(self)->render_(reinterpret_cast<float*>(stream),
                                                  bytes / static_cast<int>(2 * sizeof(float)));
  }

  SDL_AudioDeviceID device_ = 0;
  render_function render_;
};

}  // namespace

std::unique_ptr<audio_output> make_device_audio_output() { return std::make_unique<sdl_audio_output>(); }

}  // namespace varnel2d
