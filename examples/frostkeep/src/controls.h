// What the player asks for this frame, from the keyboard (arrows or WASD, Space or Enter, Escape)
// or the first game pad: held directions, and presses that count once.
#pragma once

#include <array>
#include <string>

#include "engine.h"

namespace frostkeep {

struct controls {
  // Held this frame: -1, 0 or 1 across and down.
  int x = 0, y = 0;
  // Pressed this frame (down now, up last frame).
  bool confirm = false, back = false, erase = false, screenshot = false;
  bool up_pressed = false, down_pressed = false, right_pressed = false;  // arrows and pad only
  // A letter, digit or blank typed this frame, or 0.
  char typed = 0;
};

class control_reader {
 public:
  // Reads the keys and the pad once; call once a frame after scene_begin (which polls the pads).
  controls read(engine& e);

 private:
  bool pressed(bool now, bool& was);
  bool confirm_was_ = false, back_was_ = false, erase_was_ = false, screenshot_was_ = false;
  bool up_was_ = false, down_was_ = false, right_was_ = false;
  std::array<bool, 37> typed_was_{};
};

}  // namespace frostkeep
