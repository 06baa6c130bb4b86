// The mouse poll, game pads, key checks and waits, and the drawn cursor.
#include <gtest/gtest.h>

#include "support/engine_fixture.h"

namespace varnel2d::testing {
namespace {

struct input_engine : recorded_engine {
  explicit input_engine(int32_t pads = 0) {
    input->pads = pads;
    engine->init(0, 1024, 768, 32);
  }
};

// The cursor stays on the 1024 x 768 screen; the speed scales it but not the raw movement; the
// buttons add up. Game pads read their axes against thresholds and their first four buttons.
TEST(MouseAndGamePads, CursorOnTheScreenMovedBySpeedButtonsAxisThresholdsAndMissingPads) {
  input_engine e(2);
  struct poll {
    float speed, x, y;
    int32_t dx, dy;
    bool left, right;
    float expected_x, expected_y;
    int32_t buttons;
  };
  const poll polls[] = {{1, 3, 5, -10, 0, true, false, 0, 5, 1},
                        {1, 1020, 5, 10, -9, false, true, 1023, 0, 2},
                        {1, 1020, 5, 0, 5000, true, true, 1020, 767, 3},
                        {2, 100, 100, 5, -3, false, false, 110, 94, 0}};
  for (const poll& p : polls) {
    e->mouse_setspeed(p.speed);
    e->mousex = p.x;
    e->mousey = p.y;
    e.input->queue_mouse(p.dx, p.dy, p.left, p.right);
    e->scene_begin();
    EXPECT_EQ(std::tuple(e->mousex, e->mousey, e->mousexm, e->mouseym, e->mousebutton),
              std::tuple(p.expected_x, p.expected_y, p.dx, p.dy, p.buttons));
  }
  const std::pair<int32_t, int32_t> cases[] = {{0, -1}, {16383, -1}, {16384, 0}, {49152, 0}, {49153, 1}, {65535, 1}};
  for (const auto& [axis, direction] : cases) {
    e.input->pad_state[0].x = axis;
    e.input->pad_state[1].y = axis;
    e->scene_begin();
    EXPECT_EQ(std::pair(e->gamepad1_x, e->gamepad2_y), std::pair(direction, direction)) << axis;
  }
  e.input->pad_state[0].buttons[2] = 0x80;
  e.input->pad_state[0].buttons[3] = 0x80;
  e.input->pad_state[1].buttons[5] = 0x80;  // beyond button 4: none
  e->scene_begin();
  EXPECT_EQ(std::pair(e->gamepad1_button, e->gamepad2_button), std::pair(3, 0));
  input_engine one(1);  // a missing pad leaves its values
  one.input->pad_state[0].x = 0;
  one.input->pad_state[1].x = 0;
  one->scene_begin();
  EXPECT_EQ(std::pair(one->gamepad1_x, one->gamepad2_x), std::pair(-1, 0));
}

// A key or a button pressed and let go again between two frames reads as down for exactly the
// next frame, wherever in it it is checked (the show checks its keys before the frame's start);
// one held reads as down while it is held.
TEST(Keys, ChecksATapReadAsDownForOneFrameWaitsForAKeyAndClearWaitsForItToGoUp) {
  input_engine e;
  std::vector<std::array<int, 3>> seen;  // Space in the frame and after its end, the buttons
  for (int frame = 0; frame < 3; ++frame) {
    if (frame == 1) {
      e.input->press(57);
      e.input->release(57);
      e.input->press_button(0);
      e.input->release_button(0);
    }
    e->scene_begin();
    const bool in_frame = e->key_check(57);
    e->scene_end();
    seen.push_back({in_frame, e->key_check(57), e->mousebutton});
  }
  EXPECT_EQ(seen, (std::vector<std::array<int, 3>>{{0, 0, 0}, {1, 1, 1}, {0, 0, 0}}));
  e.input->press(57);
  e->scene_begin();
  e->scene_begin();
  EXPECT_TRUE(e->key_check(57));  // held
  EXPECT_FALSE(e->key_check(1));
  EXPECT_FALSE(e->key_check(300));
  e.input->release(57);
  EXPECT_FALSE(e->key_check(57));
  e.input->press(25);  // P tapped: waiting for it to go up spends its press
  e.input->release(25);
  e->scene_begin();
  e->key_clear(25);
  EXPECT_FALSE(e->key_check(25));
  // Waiting for a key returns the latest down in the table after whole passes.
  const std::pair<std::vector<uint8_t>, const char*> cases[] = {
      {{30, 28}, "RETURN"}, {{82}, "0"}, {{57}, " "}};  // A and Return; keypad 0; Space
  for (const auto& [keys, name] : cases) {
    for (const uint8_t key : keys) e.input->press(key);
    EXPECT_EQ(e->key_waitforkey(), name);
    for (const uint8_t key : keys) e.input->release(key);
  }
  const int32_t reads = e.input->keyboard_reads;
  e.input->press_after_reads(211, 60);  // Delete goes down during the second pass
  const double before = e.clock->now_ms();
  EXPECT_EQ(e->key_waitforkey(), "DELETE");
  EXPECT_EQ(e.input->keyboard_reads - reads, 2 * 53);
  EXPECT_EQ(e.clock->now_ms() - before, 20.0);  // and lets the key settle
  e.input->release(211);
  const auto reads_and_pumps = [&] { return std::pair(e.input->keyboard_reads, e.input->pumps); };
  auto [reads_before, pumps_before] = reads_and_pumps();
  e->key_clear(57);  // clear checks an up key once
  EXPECT_EQ(e.input->keyboard_reads - reads_before, 1);
  e.input->press(57);
  e.input->release_after_reads(57, 3);
  std::tie(reads_before, pumps_before) = reads_and_pumps();
  e->key_clear(57);  // and waits for a down one to go up, pumping events
  EXPECT_EQ(reads_and_pumps(), std::pair(reads_before + 4, pumps_before + 4));
}

TEST(Cursor, DrawnWithItsShadowAtTheMouse) {
  started_recorded e;
  e.load_texture(3, 32, 32);
  e->mouse_config(3, 4, 6, 10, 12, 1.5, 200, true, 3, 2, 90);
  EXPECT_EQ(e->mousespeed, 1.5f);
  e.frame();
  EXPECT_TRUE(e.display->quads.empty());  // configured but not active
  e->mouse_status(true);
  e->mousex = 50.7f;
  e->mousey = 20.2f;
  e->scene_end();
  const std::vector<sprite_quad>& q = e.display->quads;
  ASSERT_EQ(q.size(), 2u);
  EXPECT_EQ(std::pair(position_of(q[0]), q[0].colour), std::pair(std::array{53.0f, 22.0f}, 0x5A000000u));
  EXPECT_EQ(std::tuple(source_of(q[1]), position_of(q[1]), q[1].colour),
            std::tuple(std::array{4, 6, 14, 18}, std::array{50.0f, 20.0f}, 0xC8FFFFFFu));
}

}  // namespace
}  // namespace varnel2d::testing
