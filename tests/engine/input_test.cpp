// The mouse poll, game pads, key checks and waits, and the drawn cursor.
#include <gtest/gtest.h>

#include <varnel2d/testing/engine_on_doubles.h>
#include "support/test_files.h"

namespace varnel2d {
namespace {

struct input_engine : testing::recorded_engine {
  explicit input_engine(int32_t pads = 0, double width = 1024) {
    input->pads = pads;
    engine->init(0, width, 768, 32);
  }
};

TEST(Mouse, CursorStaysOnTheScreen) {
  input_engine e;
  e->mousex = 3;
  e.input->queue_mouse(-10, 0);
  e->scene_begin();
  EXPECT_EQ(e->mousex, 0.0f);
  EXPECT_EQ(e->mousexm, -10);
  e->mousex = 1020;
  e->mousey = 5;
  e.input->queue_mouse(10, -9);
  e->scene_begin();
  EXPECT_EQ(e->mousex, 1023.0f);
  EXPECT_EQ(e->mousey, 0.0f);
  e.input->queue_mouse(0, 5000);
  e->scene_begin();
  EXPECT_EQ(e->mousey, 767.0f);
}

TEST(Mouse, SpeedScalesTheCursorButNotTheRawMovement) {
  input_engine e;
  e->mouse_setspeed(2);
  e->mousex = 100;
  e->mousey = 100;
  e.input->queue_mouse(5, -3);
  e->scene_begin();
  EXPECT_EQ(e->mousex, 110.0f);
  EXPECT_EQ(e->mousey, 94.0f);
  EXPECT_EQ(e->mousexm, 5);
  EXPECT_EQ(e->mouseym, -3);
}

TEST(Mouse, ButtonsAddUp) {
  input_engine e;
  e.input->queue_mouse(0, 0, true, false);
  e.input->queue_mouse(0, 0, false, true);
  e.input->queue_mouse(0, 0, true, true);
  e.input->queue_mouse(0, 0);
  std::vector<int32_t> seen;
  for (int poll = 0; poll < 4; ++poll) {
    e->scene_begin();
    seen.push_back(e->mousebutton);
  }
  EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 3, 0}));
}

TEST(GamePads, AxisThresholdsAndButtons) {
  input_engine e(2);
  const std::pair<int32_t, int32_t> cases[] = {{0, -1}, {16383, -1}, {16384, 0}, {49152, 0}, {49153, 1}, {65535, 1}};
  for (const auto& [axis, direction] : cases) {
    e.input->pad_state[0].x = axis;
    e.input->pad_state[1].y = axis;
    e->scene_begin();
    EXPECT_EQ(e->gamepad1_x, direction) << axis;
    EXPECT_EQ(e->gamepad2_y, direction) << axis;
  }
  e.input->pad_state[0].buttons[2] = 0x80;
  e.input->pad_state[0].buttons[3] = 0x80;
  e.input->pad_state[1].buttons[5] = 0x80;  // beyond button 4: none
  e->scene_begin();
  EXPECT_EQ(e->gamepad1_button, 3);
  EXPECT_EQ(e->gamepad2_button, 0);
}

TEST(GamePads, MissingPadsLeaveTheirValues) {
  input_engine e(1);
  e.input->pad_state[0].x = 0;
  e.input->pad_state[1].x = 0;
  e->scene_begin();
  EXPECT_EQ(e->gamepad1_x, -1);
  EXPECT_EQ(e->gamepad2_x, 0);
}

TEST(Keys, CheckReadsTheKeyByItsCode) {
  input_engine e;
  e.input->press(57);
  EXPECT_TRUE(e->key_check(57));
  EXPECT_FALSE(e->key_check(1));
  EXPECT_FALSE(e->key_check(300));
}

// A key or a button pressed and let go again between two frames reads as down for exactly the
// next frame, wherever in it it is checked (the show checks its keys before the frame's start);
// one held reads as down while it is held.
TEST(Keys, ATapBetweenTwoFramesReadsAsDownForOneFrame) {
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
  e.input->release(57);
  EXPECT_FALSE(e->key_check(57));
  e.input->press(25);  // P tapped: waiting for it to go up spends its press
  e.input->release(25);
  e->scene_begin();
  e->key_clear(25);
  EXPECT_FALSE(e->key_check(25));
}

TEST(Keys, WaitForKeyReturnsTheLatestInTheTable) {
  input_engine e;
  e.input->press(30);   // A
  e.input->press(28);   // Return
  EXPECT_EQ(e->key_waitforkey(), "RETURN");
  e.input->release(28);
  e.input->release(30);
  e.input->press(82);   // keypad 0
  EXPECT_EQ(e->key_waitforkey(), "0");
  e.input->release(82);
  e.input->press(57);
  EXPECT_EQ(e->key_waitforkey(), " ");
}

TEST(Keys, WaitForKeyRunsWholePassesUntilAKeyIsDownThenSettles) {
  input_engine e;
  const int32_t reads = e.input->keyboard_reads;
  e.input->press_after_reads(211, 60);  // Delete goes down during the second pass
  const double before = e.clock->now_ms();
  EXPECT_EQ(e->key_waitforkey(), "DELETE");
  EXPECT_EQ(e.input->keyboard_reads - reads, 2 * 53);
  EXPECT_GE(e.clock->now_ms() - before, 20.0);
}

TEST(Keys, ClearOnAnUpKeyChecksOnce) {
  input_engine e;
  const int32_t reads = e.input->keyboard_reads;
  e->key_clear(57);
  EXPECT_EQ(e.input->keyboard_reads - reads, 1);
}

TEST(Keys, ClearWaitsForTheKeyToGoUpAndPumpsEvents) {
  input_engine e;
  e.input->press(57);
  e.input->release_after_reads(57, 3);
  const int32_t reads = e.input->keyboard_reads;
  const int32_t pumps = e.input->pumps;
  e->key_clear(57);
  EXPECT_EQ(e.input->keyboard_reads - reads, 4);
  EXPECT_EQ(e.input->pumps - pumps, 4);
}

TEST(Cursor, DrawnWithItsShadowAtTheMouse) {
  input_engine e;
  testing::temp_folder folder;
  testing::write_png(folder.file("cursor.png"), testing::filled_image(32, 32, 0xFFFFFFFF));
  ASSERT_TRUE(e->texture_load(3, folder.file("cursor.png"), 0u, true));
  e->mouse_config(3, 4, 6, 10, 12, 1.5, 200, true, 3, 2, 90);
  EXPECT_EQ(e->mousespeed, 1.5f);
  e->scene_begin();
  e->scene_end();
  EXPECT_TRUE(e.display->quads.empty());  // configured but not active
  e->mouse_status(true);
  e->mousex = 50.7f;
  e->mousey = 20.2f;
  e->scene_end();
  ASSERT_EQ(e.display->quads.size(), 2u);
  const sprite_quad& shadow = e.display->quads[0];
  EXPECT_EQ(shadow.x, 53.0f);
  EXPECT_EQ(shadow.y, 22.0f);
  EXPECT_EQ(shadow.colour, 0x5A000000u);
  const sprite_quad& cursor = e.display->quads[1];
  EXPECT_EQ(cursor.left, 4);
  EXPECT_EQ(cursor.top, 6);
  EXPECT_EQ(cursor.right, 14);
  EXPECT_EQ(cursor.bottom, 18);
  EXPECT_EQ(cursor.x, 50.0f);
  EXPECT_EQ(cursor.y, 20.0f);
  EXPECT_EQ(cursor.colour, 0xC8FFFFFFu);
}

}  // namespace
}  // namespace varnel2d
