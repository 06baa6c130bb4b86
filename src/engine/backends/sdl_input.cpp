// The SDL input backend. The keyboard state is refreshed on every read, as a device read would be;
// mouse movement is what SDL accumulated since the previous reading. Presses of keys and buttons are
// taken from the events as SDL queues them, so that one released before the next reading is seen.
#include "engine/backends/sdl_input.h"

#include <SDL.h>

namespace varnel2d {
namespace {

uint8_t down_byte(bool down) { return down ? uint8_t{0x80} : uint8_t{0}; }

class sdl_input final : public input_device {
 public:
  ~sdl_input() override { close(); }

  bool open(native_window window) override {
    close();
    // The keyboard and the mouse need the window the display opened.
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_GetKeyboardState(nullptr) == nullptr) return false;
    // In a host's window the pointer stays the host's: it is neither hidden nor held.
    pointer_taken_ = window == 0;
    if (pointer_taken_ && SDL_SetRelativeMouseMode(SDL_TRUE) != 0) SDL_ShowCursor(SDL_DISABLE);
    SDL_GetRelativeMouseState(nullptr, nullptr);  // drop what gathered before
    key_presses_.fill(0);
    button_presses_.fill(0);
    SDL_AddEventWatch(&sdl_input::watch, this);
    opened_ = true;
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0) {
      joystick_ = true;
      for (int i = 0; i < SDL_NumJoysticks() && pads_ < 2; ++i)
        if (SDL_Joystick* pad = SDL_JoystickOpen(i)) pad_[pads_++] = pad;
    }
    return true;
  }

  void close() override {
    for (int i = 0; i < pads_; ++i) SDL_JoystickClose(pad_[i]);
    pads_ = 0;
    if (joystick_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    joystick_ = false;
    if (opened_ && pointer_taken_ && SDL_WasInit(SDL_INIT_VIDEO) != 0) {
      SDL_SetRelativeMouseMode(SDL_FALSE);
      SDL_ShowCursor(SDL_ENABLE);
    }
    if (opened_) SDL_DelEventWatch(&sdl_input::watch, this);
    opened_ = false;
  }

  bool read_keyboard(key_states& keys) override {
    if (!opened_) return false;
    SDL_PumpEvents();
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    keys.fill(0);
    for (int scancode = 0; scancode < count; ++scancode)
      if (state[scancode] != 0)
        if (const uint8_t code = directinput_code(scancode); code != 0) keys[code] = 0x80;
    return true;
  }

  bool read_key_presses(key_states& pressed) override {
    if (!opened_) return false;
    SDL_PumpEvents();
    pressed = key_presses_;
    key_presses_.fill(0);
    return true;
  }

  bool read_mouse(mouse_reading& reading) override {
    if (!opened_) return false;
    SDL_PumpEvents();
    int dx = 0, dy = 0;
    const Uint32 buttons = SDL_GetRelativeMouseState(&dx, &dy);
    reading = {};
    reading.dx = dx;
    reading.dy = dy;
    for (size_t i = 0; i < button_masks.size(); ++i)
      reading.buttons[i] = down_byte((buttons & button_masks[i]) != 0 || button_presses_[i] != 0);
    button_presses_.fill(0);
    return true;
  }

  int32_t pad_count() override { return pads_; }

  bool read_pad(int32_t pad, pad_reading& reading) override {
    if (pad < 0 || pad >= pads_) return false;
    SDL_JoystickUpdate();
    SDL_Joystick* device = pad_[pad];
    if (SDL_JoystickGetAttached(device) == SDL_FALSE) return false;
    reading.x = SDL_JoystickGetAxis(device, 0) + 32768;
    reading.y = SDL_JoystickGetAxis(device, 1) + 32768;
    const int buttons = SDL_JoystickNumButtons(device);
    for (int i = 0; i < static_cast<int>(reading.buttons.size()); ++i)
      reading.buttons[static_cast<size_t>(i)] = down_byte(i < buttons && SDL_JoystickGetButton(device, i) != 0);
    return true;
  }

  void pump_events() override {
    if (SDL_WasInit(SDL_INIT_EVENTS) != 0) SDL_PumpEvents();
  }

 private:
  // Called by SDL as it queues each event, while the events are pumped on this thread.
  static int SDLCALL watch(void* self, SDL_Event* event) {
    auto& input = *static_cast<sdl_input*>(self);
    if (event->type == SDL_KEYDOWN && event->key.repeat == 0) {
      if (const uint8_t code = directinput_code(event->key.keysym.scancode); code != 0) input.key_presses_[code] = 0x80;
    } else if (event->type == SDL_MOUSEBUTTONDOWN) {
      for (size_t i = 0; i < button_masks.size(); ++i)
        if (static_cast<Uint32>(SDL_BUTTON(event->button.button)) == button_masks[i]) input.button_presses_[i] = 0x80;
    }
    return 1;
  }

  // Buttons 0, 1 and 2 of a reading: left, right, middle.
  static constexpr std::array<Uint32, 3> button_masks = {SDL_BUTTON_LMASK, SDL_BUTTON_RMASK, SDL_BUTTON_MMASK};

  key_states key_presses_{};
  std::array<uint8_t, 3> button_presses_{};
  bool opened_ = false;
  bool pointer_taken_ = false;
  bool joystick_ = false;
  SDL_Joystick* pad_[2] = {nullptr, nullptr};
  int pads_ = 0;
};

}  // namespace

std::unique_ptr<input_device> make_sdl_input() { return std::make_unique<sdl_input>(); }

}  // namespace varnel2d
