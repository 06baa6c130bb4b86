// An input double: keys, mouse movements and game pads set by the test, with a count of reads.
#pragma once

#include <deque>
#include <map>

#include <varnel2d/input_device.h>

namespace varnel2d {

class scripted_input final : public input_device {
 public:
  bool open(native_window window) override;
  void close() override;
  bool read_keyboard(key_states& keys) override;
  bool read_key_presses(key_states& pressed) override;
  bool read_mouse(mouse_reading& reading) override;
  int32_t pad_count() override { return pads; }
  bool read_pad(int32_t pad, pad_reading& reading) override;
  void pump_events() override { ++pumps; }

  // A press counts as one until the next read_key_presses, even when the key is released before.
  void press(uint8_t key) { keys[key] = key_presses[key] = 0x80; }
  void release(uint8_t key) { keys[key] = 0; }
  // The key stays down for that many more keyboard reads and is up from the next one.
  void release_after_reads(uint8_t key, int32_t reads) { releases[key] = keyboard_reads + reads; }
  // The key stays up for that many more keyboard reads and is down from the next one.
  void press_after_reads(uint8_t key, int32_t reads) { presses[key] = keyboard_reads + reads; }
  // One movement for one poll; polls with nothing queued read no movement and no buttons but those
  // held or pressed since the previous poll.
  void queue_mouse(int32_t dx, int32_t dy, bool left = false, bool right = false);
  // Button 0 left, 1 right; a press counts as one at the next poll, even when released before.
  void press_button(size_t button) { buttons_held[button] = buttons_pressed[button] = true; }
  void release_button(size_t button) { buttons_held[button] = false; }

  bool fail_open = false;
  bool is_open = false;
  key_states keys{};
  key_states key_presses{};
  std::array<bool, 4> buttons_held{}, buttons_pressed{};
  std::map<uint8_t, int32_t> releases;
  std::map<uint8_t, int32_t> presses;
  std::deque<mouse_reading> mouse_queue;
  int32_t pads = 0;
  pad_reading pad_state[2];
  int32_t keyboard_reads = 0;
  int32_t mouse_reads = 0;
  int32_t pumps = 0;
};

}  // namespace varnel2d
