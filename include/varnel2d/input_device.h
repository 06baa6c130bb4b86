// The input seam: keyboard state by DirectInput key codes, relative mouse movement and up to two
// game pads. Backends: sdl_input (the real devices), scripted_input (tests).
#pragma once

#include <array>
#include <cstdint>

#include <varnel2d/display_device.h>

namespace varnel2d {

// One byte per DirectInput key code, nonzero while the key is down.
using key_states = std::array<uint8_t, 256>;

struct mouse_reading {
  int32_t dx = 0, dy = 0, dz = 0;            // movement since the previous reading
  // A button is down when its byte is above 127. One pressed since the previous reading reads as
  // down even when it is up again: a click between two readings is not lost.
  std::array<uint8_t, 4> buttons{};
};

struct pad_reading {
  int32_t x = 32768, y = 32768;              // axes 0..65535, centre 32768
  std::array<uint8_t, 32> buttons{};         // nonzero while down
};

class input_device {
 public:
  virtual ~input_device() = default;

  // Opens keyboard, mouse (pointer hidden, relative movement) and up to two game pads.
  // False when the keyboard or the mouse cannot be had; missing game pads are no error.
  virtual bool open(native_window window) = 0;
  virtual void close() = 0;
  // The keys down now.
  virtual bool read_keyboard(key_states& keys) = 0;
  // The keys pressed since the previous call (nonzero), down or up again by now: a tap between two
  // calls is not lost.
  virtual bool read_key_presses(key_states& pressed) = 0;
  virtual bool read_mouse(mouse_reading& reading) = 0;
  // Game pads opened, 0..2.
  virtual int32_t pad_count() = 0;
  virtual bool read_pad(int32_t pad, pad_reading& reading) = 0;
  // Lets pending window-system events run once.
  virtual void pump_events() = 0;
};

}  // namespace varnel2d
