// The scripted input double.
#include <varnel2d/testing/scripted_input.h>

namespace varnel2d {

bool scripted_input::open(native_window) {
  is_open = !fail_open;
  return is_open;
}

void scripted_input::close() { is_open = false; }

bool scripted_input::read_keyboard(key_states& out) {
  if (!is_open) return false;
  ++keyboard_reads;
  const auto apply = [this](std::map<uint8_t, int32_t>& changes, uint8_t state) {
    for (auto it = changes.begin(); it != changes.end();) {
      if (keyboard_reads > it->second) {
        keys[it->first] = state;
        it = changes.erase(it);
      } else {
        ++it;
      }
    }
  };
  apply(releases, 0);
  for (const auto& [key, reads] : presses)
    if (keyboard_reads > reads) key_presses[key] = 0x80;
  apply(presses, 0x80);
  out = keys;
  return true;
}

bool scripted_input::read_key_presses(key_states& pressed) {
  if (!is_open) return false;
  pressed = key_presses;
  key_presses.fill(0);
  return true;
}

void scripted_input::queue_mouse(int32_t dx, int32_t dy, bool left, bool right) {
  mouse_reading reading;
  reading.dx = dx;
  reading.dy = dy;
  reading.buttons[0] = left ? 0x80 : 0;
  reading.buttons[1] = right ? 0x80 : 0;
  mouse_queue.push_back(reading);
}

bool scripted_input::read_mouse(mouse_reading& reading) {
  if (!is_open) return false;
  ++mouse_reads;
  reading = {};
  if (!mouse_queue.empty()) {
    reading = mouse_queue.front();
    mouse_queue.pop_front();
  }
  for (size_t i = 0; i < reading.buttons.size(); ++i)
    if (buttons_held[i] || buttons_pressed[i]) reading.buttons[i] = 0x80;
  buttons_pressed.fill(false);
  return true;
}

bool scripted_input::read_pad(int32_t pad, pad_reading& reading) {
  if (!is_open || pad < 0 || pad >= pads) return false;
  reading = pad_state[pad];
  return true;
}

}  // namespace varnel2d
