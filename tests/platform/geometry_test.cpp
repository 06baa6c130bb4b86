// Quad corners, the letterbox and the key translation table.
#include <gtest/gtest.h>
#include <varnel2d/display_device.h>

#include <numbers>

#include "engine/backends/sdl_input.h"

namespace varnel2d {
namespace {

TEST(QuadCorners, ScaledMovedAndTurnedCounterClockwiseAboutTheCentre) {
  sprite_quad quad;
  quad.right = 10;
  quad.bottom = 4;
  quad.scale_x = 2;
  quad.scale_y = 3;
  quad.x = 5;
  quad.y = 7;
  auto c = quad_corners(quad);
  EXPECT_FLOAT_EQ(c[0].x, 5);
  EXPECT_FLOAT_EQ(c[0].y, 7);
  EXPECT_FLOAT_EQ(c[2].x, 25);
  EXPECT_FLOAT_EQ(c[2].y, 19);

  sprite_quad turned;
  turned.right = turned.bottom = 10;
  turned.centre_x = turned.centre_y = 5;
  turned.rotation = std::numbers::pi_v<float> / 2;
  c = quad_corners(turned);
  // The top-left corner goes to the bottom-left, the top-right to the top-left.
  EXPECT_NEAR(c[0].x, 0, 1e-5);
  EXPECT_NEAR(c[0].y, 10, 1e-5);
  EXPECT_NEAR(c[1].x, 0, 1e-5);
  EXPECT_NEAR(c[1].y, 0, 1e-5);
}

TEST(Letterbox, KeepsTheAspectRatio) {
  const std::tuple<int32_t, int32_t, screen_rect> cases[] = {
      {1920, 1080, {240, 0, 1440, 1080}}, {1280, 1024, {0, 32, 1280, 960}}, {1024, 768, {0, 0, 1024, 768}}};
  for (const auto& [w, h, expected] : cases) {
    const screen_rect box = letterbox(640, 480, w, h);
    EXPECT_EQ(std::tie(box.x, box.y, box.w, box.h), std::tie(expected.x, expected.y, expected.w, expected.h))
        << w << " x " << h;
  }
}

TEST(KeyTable, NamedKeysHaveTheirDirectInputCodes) {
  // SDL scancodes (USB usage codes) and their DirectInput codes: Escape, Return, Space, P, A, keypad
  // Enter, keypad 0, Up, the left and right Windows keys; and codes out of the table.
  const std::pair<int, int> keys[] = {{41, 1},  {40, 28},  {44, 57},   {19, 25},   {4, 30}, {88, 156},
                                      {98, 82}, {82, 200}, {227, 219}, {231, 220}, {-1, 0}, {100000, 0}};
  for (const auto& [scancode, code] : keys) EXPECT_EQ(directinput_code(scancode), code) << scancode;
}

}  // namespace
}  // namespace varnel2d
