// Keys and pad to controls, with the once-only presses kept by remembering the last frame.
#include "controls.h"

namespace frostkeep {
namespace {

// The typeable keys: A..Z, 0..9 on the main row.
constexpr int letter_keys[26] = {key::a, key::b, key::c, key::d, key::e, key::f, key::g, key::h, key::i,
                                 key::j, key::k, key::l, key::m, key::n, key::o, key::p, key::q, key::r,
                                 key::s, key::t, key::u, key::v, key::w, key::x, key::y, key::z};
constexpr int digit_keys[10] = {key::digit_0, key::digit_1, key::digit_2, key::digit_3, key::digit_4,
                                key::digit_5, key::digit_6, key::digit_7, key::digit_8, key::digit_9};

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
  const bool confirm = e.key_check(key::enter) || e.key_check(key::pad_enter) || e.key_check(key::space) ||
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
