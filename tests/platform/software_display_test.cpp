// The display that draws on the CPU, composing into memory: colour key, alpha, tint, rotation,
// scale, clipping, letterboxing and resizes against expected pixels, and the choice between it and
// OpenGL; and the quad corners the OpenGL display draws. That the CPU draws what OpenGL draws is the
// backend agreement test's.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include <varnel2d/display_device.h>
#include "engine/backends/renderer_choice.h"
#include "engine/backends/software_display.h"
#include "support/test_files.h"

namespace varnel2d {
namespace {

constexpr float pi = std::numbers::pi_v<float>;
constexpr uint32_t GREY = 0xFF404040u, RED = 0xFFFF0000u, GREEN = 0xFF00FF00u, BLUE = 0xFF0000FFu;
constexpr uint32_t HALF_WHITE_ON_GREY = 0xFFA0A0A0u, BLACK = 0xFF000000u;

// A 20 x 20 texture: red, green, blue and half-transparent white quarters, the top-left 2 x 2 magenta
// (the key), on a 640 x 480 grey background surface.
struct canvas {
  testing::temp_folder folder;
  software_display display;
  image_handle texture = 0, background = 0;

  explicit canvas(int32_t output_w = 640, int32_t output_h = 480) {
    testing::pixel_image quarters = testing::filled_image(20, 20, 0);
    for (int32_t i = 0; i < 400; ++i) {
      const int32_t x = i % 20, y = i / 20;
      quarters.argb[static_cast<size_t>(i)] =
          x < 2 && y < 2 ? 0xFFFF00FFu : y < 10 ? (x < 10 ? RED : GREEN) : (x < 10 ? BLUE : 0x80FFFFFFu);
    }
    testing::write_png(folder.file("quarters.png"), quarters);
    testing::write_png(folder.file("grey.png"), testing::filled_image(64, 48, GREY));
    EXPECT_TRUE(display.open({0, 640, 480, 32}));
    display.resize_memory_output(output_w, output_h);
    texture = display.load_texture(folder.file("quarters.png"), 0xFFFF00FFu);
    background = display.load_surface(folder.file("grey.png"));
  }

  // The texture at (x, y), scaled and turned about its centre, tinted by `colour`.
  sprite_quad quad(float x, float y, float scale = 1, float rotation = 0, uint32_t colour = 0xFFFFFFFF) const {
    sprite_quad q;
    q.texture = texture;
    q.right = q.bottom = 20;
    q.x = x;
    q.y = y;
    q.scale_x = q.scale_y = scale;
    q.centre_x = q.centre_y = 10 * scale;
    q.rotation = rotation;
    q.colour = colour;
    return q;
  }

  void frame(const sprite_quad& q) {
    display.begin_frame();
    display.copy_surface(background);
    display.draw(q);
    display.present();
  }
};

// Rotations are counter-clockwise in the quad: a quarter turn clockwise is 3/2 pi.
struct drawing_case {
  const char* what;
  float x, y, scale, rotation;
  uint32_t colour;
  int32_t output_w, output_h;
  std::vector<std::tuple<int32_t, int32_t, uint32_t>> probes;  // x, y, expected colour
};

TEST(SoftwareDisplay, DrawsQuadsAsTheBackBufferDescribesThem) {
  const std::vector<drawing_case> cases = {
      {"plain, keyed corner", 100, 100, 1, 0, 0xFFFFFFFF, 640, 480,
       {{101, 101, GREY}, {103, 103, RED}, {115, 103, GREEN}, {103, 115, BLUE}, {115, 115, HALF_WHITE_ON_GREY},
        {120, 105, GREY}}},
      {"tint", 100, 100, 1, 0, 0xFF808080, 640, 480, {{103, 103, 0xFF800000}, {115, 103, 0xFF008000}}},
      {"half alpha", 100, 100, 1, 0, 0x80FFFFFF, 640, 480, {{105, 105, 0xFFA02020}, {115, 115, 0xFF707070}}},
      {"scale 2", 100, 100, 2, 0, 0xFFFFFFFF, 640, 480,
       {{101, 101, GREY}, {106, 106, RED}, {135, 106, GREEN}, {106, 135, BLUE}, {135, 135, HALF_WHITE_ON_GREY},
        {141, 120, GREY}}},
      {"a quarter turn clockwise", 100, 100, 1, 1.5f * pi, 0xFFFFFFFF, 640, 480,
       {{115, 105, RED}, {115, 115, GREEN}, {105, 105, BLUE}, {105, 115, HALF_WHITE_ON_GREY}, {118, 101, GREY}}},
      {"30 degrees clockwise", 100, 100, 1, 2 * pi - pi / 6, 0xFFFFFFFF, 640, 480,
       {{108, 103, RED}, {116, 108, GREEN}, {119, 100, GREY}, {103, 111, BLUE}, {101, 117, GREY}}},
      {"clipped at the left edge", -10, 200, 1, 0, 0xFFFFFFFF, 640, 480, {{0, 205, GREEN}, {9, 205, GREEN}, {10, 205, GREY}}},
      {"clipped at the right edge", 630, 200, 1, 0, 0xFFFFFFFF, 640, 480, {{639, 205, RED}, {629, 205, GREY}}},
      {"clipped at the top edge", 300, -10, 1, 0, 0xFFFFFFFF, 640, 480, {{305, 0, BLUE}, {305, 9, BLUE}, {305, 10, GREY}}},
      {"clipped at the bottom edge", 300, 470, 1, 0, 0xFFFFFFFF, 640, 480, {{305, 479, RED}, {305, 469, GREY}}},
      {"turned across the corner", -10, -10, 1, 1.5f * pi, 0xFFFFFFFF, 640, 480, {{0, 0, GREEN}, {9, 9, GREEN}, {5, 15, GREY}}},
      // 200 x 150: a third of the size; the sprite at (320, 240) covers (100, 75) to about (106, 81).
      {"letterboxed into 200 x 150", 320, 240, 1, 0, 0xFFFFFFFF, 200, 150,
       {{101, 77, RED}, {99, 77, GREY}, {104, 77, GREEN}, {101, 80, BLUE}, {108, 77, GREY}}},
      // 1920 x 1080: 2.25 times, black bars of 240 pixels left and right.
      {"letterboxed into 1920 x 1080", 100, 100, 1, 0, 0xFFFFFFFF, 1920, 1080,
       {{470, 238, RED}, {500, 238, GREEN}, {470, 260, BLUE}, {500, 260, HALF_WHITE_ON_GREY}, {300, 10, GREY},
        {239, 500, BLACK}, {1680, 500, BLACK}, {240, 500, GREY}, {1679, 500, GREY}}},
      {"turned in 1920 x 1080", 100, 100, 1, 1.5f * pi, 0xFFFFFFFF, 1920, 1080,
       {{500, 238, RED}, {500, 260, GREEN}, {470, 238, BLUE}, {470, 260, HALF_WHITE_ON_GREY}}},
  };
  for (const drawing_case& c : cases) {
    SCOPED_TRACE(c.what);
    canvas scene(c.output_w, c.output_h);
    scene.frame(scene.quad(c.x, c.y, c.scale, c.rotation, c.colour));
    for (const auto& [x, y, colour] : c.probes) EXPECT_EQ(scene.display.shown_pixel(x, y), colour) << x << ", " << y;
  }
}

// A resize between frames: the next frame is letterboxed into the new size, bars and all.
TEST(SoftwareDisplay, FollowsAResizeOfItsOutput) {
  canvas scene(1920, 1080);
  scene.frame(scene.quad(100, 100));
  scene.display.resize_memory_output(320, 480);  // now 320 x 240 in the middle, bars of 120 above and below
  scene.frame(scene.quad(100, 100));
  EXPECT_EQ(scene.display.shown_pixel(10, 119), BLACK);
  EXPECT_EQ(scene.display.shown_pixel(10, 120), GREY);
  EXPECT_EQ(scene.display.shown_pixel(10, 359), GREY);
  EXPECT_EQ(scene.display.shown_pixel(10, 360), BLACK);
  EXPECT_EQ(scene.display.shown_pixel(53, 172), RED);  // (107, 104) halved, 120 down
  EXPECT_EQ(scene.display.shown_pixel(57, 172), GREEN);
}

// A released picture's handle goes to the next one; a surface covers the back buffer whatever its
// shape; a turned frame takes only its own part of the texture.
TEST(SoftwareDisplay, ReusesReleasedHandlesStretchesSurfacesOfAnyShapeAndTurnsOnlyAFramesOwnPart) {
  canvas scene;
  scene.display.release(scene.texture);
  EXPECT_EQ(scene.display.load_texture(scene.folder.file("quarters.png"), 0xFFFF00FFu), scene.texture);
  testing::write_png(scene.folder.file("strip.png"), testing::filled_image(640, 120, RED));
  scene.display.begin_frame();
  scene.display.copy_surface(scene.display.load_surface(scene.folder.file("strip.png")));
  scene.display.present();
  EXPECT_EQ(scene.display.shown_pixel(5, 475), RED);
  // A turned frame cut from the texture's lower half covers that half's 20 x 10 pixels, no more.
  sprite_quad lower = scene.quad(100, 100, 1, 1.5f * pi);
  lower.top = 10;
  scene.frame(lower);
  int covered = 0;
  for (int32_t y = 60; y < 160; ++y)
    for (int32_t x = 60; x < 160; ++x) covered += scene.display.shown_pixel(x, y) != GREY ? 1 : 0;
  EXPECT_NEAR(covered, 200, 20);
}

// Text comes through the same frame list: the statistics line's white letters land in its box, and
// a centred line sits across the middle of its own.
TEST(SoftwareDisplay, DrawsTextInsideItsRectangle) {
  canvas scene;
  scene.display.begin_frame();
  scene.display.copy_surface(scene.background);
  scene.display.draw_text({"FPS=60 Sprites=1300", "Arial", 0, false, false, 10, 10, 310, 60, text_align::left_top,
                           0xFFFFFFFF});
  scene.display.draw_text({"clipped away", "Arial", 0, false, false, 10, 100, 20, 102, text_align::left_top,
                           0xFFFFFFFF});
  scene.display.draw_text({"Centred", "Arial", 0, false, false, 400, 200, 600, 300, text_align::centre, 0xFFFFFFFF});
  scene.display.present();
  int lit = 0, outside = 0, centred = 0;
  double centred_x = 0, centred_y = 0;
  for (int32_t y = 0; y < 480; ++y) {
    for (int32_t x = 0; x < 640; ++x) {
      const bool white = (scene.display.shown_pixel(x, y) & 0xFF) > 200;
      if (white && x >= 400 && y >= 200 && y < 300) centred_x += x, centred_y += y, ++centred;
      else if (x >= 10 && x < 310 && y >= 10 && y < 60) lit += white ? 1 : 0;
      else outside += white ? 1 : 0;
    }
  }
  EXPECT_GT(lit, 50);
  EXPECT_EQ(outside, 0);
  ASSERT_GT(centred, 20);
  EXPECT_NEAR(centred_x / centred, 500, 10);
  EXPECT_NEAR(centred_y / centred, 250, 6);
}

TEST(RendererChoice, CpuRasterisersAndAMissingOpenGlDrawOnTheCpuUnlessGlIsAskedFor) {
  // Asked for, the OpenGL renderer's name (none: OpenGL is missing), chosen.
  const std::vector<std::tuple<display_renderer, std::optional<std::string>, display_renderer>> cases = {
      {display_renderer::automatic, "llvmpipe (LLVM 15.0.6, 256 bits)", display_renderer::software},
      {display_renderer::automatic, "softpipe", display_renderer::software},
      {display_renderer::automatic, "Software Rasterizer (swrast)", display_renderer::software},
      {display_renderer::automatic, std::nullopt, display_renderer::software},
      {display_renderer::automatic, "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", display_renderer::gl},
      {display_renderer::gl, "llvmpipe (LLVM 15.0.6, 256 bits)", display_renderer::gl},
      {display_renderer::software, "AMD Radeon RX 6600", display_renderer::software},
  };
  for (const auto& [asked, gl, chosen] : cases) EXPECT_EQ(resolve_renderer(asked, gl), chosen) << gl.value_or("none");
  const std::pair<const char*, std::optional<display_renderer>> names[] = {
      {"auto", display_renderer::automatic}, {"gl", display_renderer::gl}, {"software", display_renderer::software},
      {"opengl", std::nullopt}};
  for (const auto& [name, renderer] : names) EXPECT_EQ(renderer_named(name), renderer) << name;
}

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
  turned.rotation = pi / 2;
  c = quad_corners(turned);
  // The top-left corner goes to the bottom-left, the top-right to the top-left.
  EXPECT_NEAR(c[0].x, 0, 1e-5);
  EXPECT_NEAR(c[0].y, 10, 1e-5);
  EXPECT_NEAR(c[1].x, 0, 1e-5);
  EXPECT_NEAR(c[1].y, 0, 1e-5);
}

}  // namespace
}  // namespace varnel2d
