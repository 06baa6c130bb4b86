// Keyboard, mouse and game pads: device set-up, the per-frame polls, key waits and the cursor.
#include <optional>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {
constexpr double key_settle_ms = 20;
bool button_down(uint8_t state) { return state > 127; }

// The keyboard byte of a key code; nothing outside 0..255.
std::optional<size_t> key_slot(double key) {
  const int32_t code = to_int32(key);
  if (code < 0 || code >= static_cast<int32_t>(std::tuple_size_v<key_states>)) return std::nullopt;
  return static_cast<size_t>(code);
}
}  // namespace

namespace varnel2d {

int32_t pad_direction(int32_t axis) {
  if (axis < 16384) return -1;
  if (axis < 49153) return 0;
  return 1;
}

int32_t pad_button(const pad_reading& pad) {
  for (int32_t i = 0; i < 4; ++i)
    if (pad.buttons[static_cast<size_t>(i)] != 0) return i + 1;
  return 0;
}

float clamp_cursor(float position, int32_t extent) {
  if (position < 0) return 0;
  if (position > static_cast<float>(extent - 1)) return static_cast<float>(extent - 1);
  return position;
}

const std::array<named_key, 53> waited_keys = {{
    {30, "A"},  {48, "B"},  {46, "C"},  {32, "D"},  {18, "E"},  {33, "F"},  {34, "G"},       {35, "H"},
    {23, "I"},  {36, "J"},  {37, "K"},  {38, "L"},  {50, "M"},  {49, "N"},  {24, "O"},       {25, "P"},
    {16, "Q"},  {19, "R"},  {31, "S"},  {20, "T"},  {22, "U"},  {47, "V"},  {17, "W"},       {45, "X"},
    {21, "Y"},  {44, "Z"},  {2, "1"},   {3, "2"},   {4, "3"},   {5, "4"},   {6, "5"},        {7, "6"},
    {8, "7"},   {9, "8"},   {10, "9"},  {11, "0"},  {82, "0"},  {79, "1"},  {80, "2"},       {81, "3"},
    {75, "4"},  {76, "5"},  {77, "6"},  {71, "7"},  {72, "8"},  {73, "9"},  {1, "ESC"},      {14, "BACK"},
    {28, "RETURN"}, {57, " "}, {156, "RETURN"}, {210, "INSERT"}, {211, "DELETE"},
}};

}  // namespace varnel2d

bool Varnel_2D_Engine::private_init_input() {
  state_->input.pad_present = {false, false};
  if (!state_->backends.input->open(state_->core.window)) return false;
  state_->core.input_open = true;
  mousespeed = 1.0f;
  state_->input.pad_count = state_->backends.input->pad_count();
  state_->input.pad_present = {state_->input.pad_count >= 1, state_->input.pad_count >= 2};
  return true;
}

void Varnel_2D_Engine::private_release_input() {
  state_->backends.input->close();
  state_->core.input_open = false;
  state_->input.pad_present = {false, false};
  state_->input.pad_count = 0;
}

void Varnel_2D_Engine::private_poll_mouse() {
  if (!state_->core.input_open || !state_->backends.input->read_mouse(state_->input.mouse)) return;
  const mouse_reading& mouse = state_->input.mouse;
  mousexm = mouse.dx;
  mouseym = mouse.dy;
  mousebutton = (button_down(mouse.buttons[0]) ? 1 : 0) + (button_down(mouse.buttons[1]) ? 2 : 0);
  mousex = clamp_cursor(static_cast<float>(mousex + static_cast<double>(mousespeed) * mouse.dx), state_->core.width);
  mousey = clamp_cursor(static_cast<float>(mousey + static_cast<double>(mousespeed) * mouse.dy), state_->core.height);
}

void Varnel_2D_Engine::private_poll_key_presses() {
  if (!state_->core.input_open || !state_->backends.input->read_key_presses(state_->input.presses)) state_->input.presses.fill(0);
}

void Varnel_2D_Engine::private_poll_gamepads() {
  int32_t* const targets[2][3] = {{&gamepad1_x, &gamepad1_y, &gamepad1_button},
                                  {&gamepad2_x, &gamepad2_y, &gamepad2_button}};
  for (int32_t pad = 0; pad < 2; ++pad) {
    if (!state_->input.pad_present[static_cast<size_t>(pad)]) continue;
    pad_reading& reading = state_->input.pads[static_cast<size_t>(pad)];
    if (!state_->backends.input->read_pad(pad, reading)) return;
    *targets[pad][0] = pad_direction(reading.x);
    *targets[pad][1] = pad_direction(reading.y);
    *targets[pad][2] = pad_button(reading);
  }
}

bool Varnel_2D_Engine::key_check(double key) {
  if (state_->core.input_open) state_->backends.input->read_keyboard(state_->input.keys);
  const std::optional<size_t> slot = key_slot(key);
  return slot && (state_->input.keys[*slot] != 0 || state_->input.presses[*slot] != 0);
}

void Varnel_2D_Engine::key_clear(double key) {
  bool down = true;
  while (down) {
    down = key_check(key);
    // The key's press at this frame's poll has been seen: from now on only its state counts.
    if (const std::optional<size_t> slot = key_slot(key)) state_->input.presses[*slot] = 0;
    lib_doevents(1);
  }
}

std::string Varnel_2D_Engine::key_waitforkey() {
  const named_key* found = nullptr;
  while (found == nullptr) {
    for (const named_key& each : waited_keys)
      if (key_check(each.code)) found = &each;
  }
  lib_delay(key_settle_ms);
  return std::string(found->name);
}

void Varnel_2D_Engine::mouse_config(double texture, double sx, double sy, double sw, double sh, double speed,
                                    double alpha, bool shadowon, double shadowx, double shadowy, double shadowalpha,
                                    bool active) {
  cursor_config& cursor = state_->input.cursor;
  cursor.texture = to_int32(texture);
  cursor.sx = to_int32(sx);
  cursor.sy = to_int32(sy);
  cursor.sw = to_int32(sw);
  cursor.sh = to_int32(sh);
  cursor.alpha = to_int32(alpha);
  cursor.shadow = shadowon;
  cursor.shadow_x = to_int32(shadowx);
  cursor.shadow_y = to_int32(shadowy);
  cursor.shadow_alpha = to_int32(shadowalpha);
  mousespeed = static_cast<float>(speed);
  cursor.active = active;
}

void Varnel_2D_Engine::mouse_status(bool status) { state_->input.cursor.active = status; }

void Varnel_2D_Engine::mouse_setspeed(double speed) { mousespeed = static_cast<float>(speed); }
