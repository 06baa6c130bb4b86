// Keys and pad to controls, with the once-only presses kept by remembering the last frame.
#include "controls.h"

namespace frostkeep {
namespace {

// The typeable keys: A..Z, 0..9 on the main row, and the blank, by DirectInput code.
constexpr int letter_keys[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                 49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
constexpr int digit_keys[10] = {11, 2, 3, 4, 5, 6, 7, 8, 9, 10};

}  // namespace

bool control_reader::pressed(bool now, bool& was) {
  const bool once = now && !was;
  was = now;
  return once;
}

controls control_reader::read(engine& e) {
  controls c;
  const bool left = e.key_check(key::left) || e.key_check(key::a) || e.gamepad1_x < 0;
  const bool right = e.key_check(key::right) || e.key_check(key::d) || e.gamepad1_x > 0;
  const bool up = e.key_check(key::up) || e.key_check(key::w) || e.gamepad1_y < 0;
  const bool down = e.key_check(key::down) || e.key_check(key::s) || e.gamepad1_y > 0;
  c.x = (right ? 1 : 0) - (left ? 1 : 0);
  c.y = (down ? 1 : 0) - (up ? 1 : 0);
  // Without the letter keys, which type names.
  c.up_pressed = pressed(e.key_check(key::up) || e.gamepad1_y < 0, up_was_);
  c.down_pressed = pressed(e.key_check(key::down) || e.gamepad1_y > 0, down_was_);
  c.right_pressed = pressed(e.key_check(key::right) || e.gamepad1_x > 0, right_was_);
  const bool confirm = e.key_check(key::enter) || e.key_check(key::keypad_enter) || e.key_check(key::space) ||
                       e.gamepad1_button == 1;
  c.confirm = pressed(confirm, confirm_was_);
  c.back = pressed(e.key_check(key::escape) || e.gamepad1_button == 2, back_was_);
  c.screenshot = pressed(e.key_check(key::f12), screenshot_was_);
  c.erase = pressed(e.key_check(key::backspace) || e.gamepad1_button == 3, erase_was_);
  for (int i = 0; i < 37; ++i) {
    const int code = i < 26 ? letter_keys[i] : i < 36 ? digit_keys[i - 26] : key::space;
    const char letter = i < 26 ? static_cast<char>('A' + i) : i < 36 ? static_cast<char>('0' + i - 26) : ' ';
    bool was = typed_was_[static_cast<size_t>(i)];
    if (pressed(e.key_check(code), was) && c.typed == 0) c.typed = letter;
    typed_was_[static_cast<size_t>(i)] = was;
  }
  return c;
}

}  // namespace frostkeep
