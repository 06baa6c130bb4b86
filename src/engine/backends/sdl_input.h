// The real input devices through SDL: keyboard state translated to DirectInput key codes, relative
// mouse with the pointer hidden, up to two joysticks.
#pragma once

#include <memory>

#include <varnel2d/input_device.h>

namespace varnel2d {

std::unique_ptr<input_device> make_sdl_input();

// The DirectInput key code for an SDL scancode; 0 for keys without one.
uint8_t directinput_code(int sdl_scancode);

}  // namespace varnel2d
