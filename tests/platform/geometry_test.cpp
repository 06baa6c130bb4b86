// Quad corners, the letterbox and the key translation table.
#include <gtest/gtest.h>

#include <numbers>

#include <varnel2d/display_device.h>
#include "engine/backends/sdl_input.h"

namespace varnel2d {
namespace {

TEST(QuadCorners, ScaledAndMoved) {
  sprite_quad quad;
  quad.right = 10;
  quad.bottom = 4;
  quad.scale_x = 2;
  quad.scale_y = 3;
  quad.x = 5;
  quad.y = 7;
  const auto c = quad_corners(quad);
  EXPECT_FLOAT_EQ(c[0].x, 5);
  EXPECT_FLOAT_EQ(c[0].y, 7);
  EXPECT_FLOAT_EQ(c[2].x, 25);
  EXPECT_FLOAT_EQ(c[2].y, 19);
}

TEST(QuadCorners, PositiveRotationTurnsCounterClockwiseAboutTheCentre) {
  sprite_quad quad;
  quad.right = 10;
  quad.bottom = 10;
  quad.centre_x = 5;
  quad.centre_y = 5;
  quad.rotation = std::numbers::pi_v<float> / 2;
  const auto c = quad_corners(quad);
  // The top-left corner goes to the bottom-left, the top-right to the top-left.
  EXPECT_NEAR(c[0].x, 0, 1e-5);
  EXPECT_NEAR(c[0].y, 10, 1e-5);
  EXPECT_NEAR(c[1].x, 0, 1e-5);
  EXPECT_NEAR(c[1].y, 0, 1e-5);
}

TEST(Letterbox, KeepsTheAspectRatio) {
  const screen_rect wide = letterbox(640, 480, 1920, 1080);
  EXPECT_EQ(wide.x, 240);
  EXPECT_EQ(wide.y, 0);
  EXPECT_EQ(wide.w, 1440);
  EXPECT_EQ(wide.h, 1080);
  const screen_rect tall = letterbox(640, 480, 1280, 1024);
  EXPECT_EQ(tall.x, 0);
  EXPECT_EQ(tall.y, 32);
  EXPECT_EQ(tall.h, 960);
  const screen_rect same = letterbox(640, 480, 1024, 768);
  EXPECT_EQ(same.x, 0);
  EXPECT_EQ(same.y, 0);
  EXPECT_EQ(same.w, 1024);
}

TEST(KeyTable, NamedKeysHaveTheirDirectInputCodes) {
  // SDL scancodes are USB usage codes.
  EXPECT_EQ(directinput_code(41), 1);     // Escape
  EXPECT_EQ(directinput_code(40), 28);    // Return
  EXPECT_EQ(directinput_code(44), 57);    // Space
  EXPECT_EQ(directinput_code(19), 25);    // P
  EXPECT_EQ(directinput_code(4), 30);     // A
  EXPECT_EQ(directinput_code(88), 156);   // keypad Enter
  EXPECT_EQ(directinput_code(98), 82);    // keypad 0
  EXPECT_EQ(directinput_code(82), 200);   // Up
  EXPECT_EQ(directinput_code(227), 219);  // left Windows key
  EXPECT_EQ(directinput_code(231), 220);  // right Windows key
  EXPECT_EQ(directinput_code(-1), 0);
  EXPECT_EQ(directinput_code(100000), 0);
}

}  // namespace
}  // namespace varnel2d
