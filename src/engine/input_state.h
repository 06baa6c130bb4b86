// Private state of the input family (keyboard bytes, last mouse and game-pad readings, the drawn
// cursor) and the small rules that turn readings into the engine's public values.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include <varnel2d/input_device.h>

namespace varnel2d {

struct cursor_config {
  bool active = false;
  int32_t texture = 0, sx = 0, sy = 0, sw = 0, sh = 0, alpha = 0;
  bool shadow = false;
  int32_t shadow_alpha = 0, shadow_x = 0, shadow_y = 0;
};

struct input_state {
  key_states keys{};
  // Keys pressed since the previous frame's poll: each reads as down for this frame, even when it
  // was let go before the poll.
  key_states presses{};
  mouse_reading mouse;
  int32_t pad_count = 0;
  std::array<bool, 2> pad_present{};
  std::array<pad_reading, 2> pads;
  cursor_config cursor;
};

// A game-pad axis 0..65535 as a direction: below 16384 -1, below 49153 0, else 1.
int32_t pad_direction(int32_t axis);
// The first of buttons 1..4 that is down, or 0.
int32_t pad_button(const pad_reading& pad);
// A cursor coordinate kept inside 0..extent - 1.
float clamp_cursor(float position, int32_t extent);

struct named_key {
  uint8_t code;
  std::string_view name;
};
// The keys key_waitforkey watches, in the order it checks them.
extern const std::array<named_key, 53> waited_keys;

}  // namespace varnel2d
