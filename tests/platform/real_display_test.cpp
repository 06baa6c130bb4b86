// The real display under Xvfb: a small program draws a sprite-sheet frame and saves a screenshot;
// renderer resets ask for a rebuild; a host's window that is already gone is refused.
#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include <varnel2d/engine_backends.h>
#include "support/child_process.h"
#include "support/host_window.h"
#include "support/test_files.h"
#include "support/virtual_display.h"

namespace varnel2d {
namespace {

// Through OpenGL, and on the CPU with and without the server's shared-memory images.
struct display_path {
  const char* renderer;
  std::vector<std::string> server_arguments;
};

// Test names show the path, not the bytes of the record.
void PrintTo(const display_path& path, std::ostream* out) {
  *out << path.renderer << (path.server_arguments.empty() ? "" : " without shared memory");
}

class RealDisplayPaths : public ::testing::TestWithParam<display_path> {};

INSTANTIATE_TEST_SUITE_P(EachPath, RealDisplayPaths,
                         ::testing::Values(display_path{"gl", {}}, display_path{"software", {}},
                                           display_path{"software", {"-extension", "MIT-SHM"}}));

TEST_P(RealDisplayPaths, DrawsASpriteSheetFrameAndSavesTheScreenshot) {
  testing::virtual_display display("1024x768x24", GetParam().server_arguments);
  testing::temp_folder folder;
  // Two 32 x 32 frames side by side with a one-pixel magenta gap; frame 1 is green with a
  // magenta (transparent) top-left 8 x 8 corner.
  testing::pixel_image sheet = testing::filled_image(65, 32, 0xFFFF0000);
  for (int32_t y = 0; y < 32; ++y) {
    sheet.argb[static_cast<size_t>(y * 65 + 32)] = 0xFFFF00FF;
    for (int32_t x = 33; x < 65; ++x)
      sheet.argb[static_cast<size_t>(y * 65 + x)] = (x < 41 && y < 8) ? 0xFFFF00FF : 0xFF00FF00;
  }
  testing::write_png(folder.file("sheet.png"), sheet);
  testing::child_process frame({REAL_DISPLAY_FRAME, folder.path().string(), GetParam().renderer},
                               {{"DISPLAY", display.name()}, {"SDL_AUDIODRIVER", "dummy"}});
  ASSERT_EQ(frame.wait_for_exit(std::chrono::seconds(30)), 0);
  const testing::pixel_image shot = testing::read_bmp24(folder.file("screen1.bmp"));
  ASSERT_EQ(shot.width, 640);
  ASSERT_EQ(shot.height, 480);
  // Frame 1 at (100, 100): inside it, its keyed corner, left of it, and right of it where neither
  // the gap nor frame 0 come along. Then scaled twice about the same centre (316, 216) and turned a
  // quarter clockwise: the keyed corner moves to the top right.
  const std::tuple<int32_t, int32_t, uint32_t> probes[] = {
      {120, 120, 0xFF00FF00u}, {102, 102, 0xFF000000u}, {98, 120, 0xFF000000u},  {133, 120, 0xFF000000u},
      {305, 225, 0xFF00FF00u}, {340, 192, 0xFF000000u}, {290, 190, 0xFF00FF00u}, {282, 216, 0xFF000000u}};
  for (const auto& [x, y, colour] : probes) EXPECT_EQ(shot.at(x, y), colour) << x << ", " << y;
}

// The renderer's reset events, here in the middle of a frame, mark the device for a rebuild and
// are named once; the rebuilt device is usable and shows what it presents. A host's window that is
// gone before the display opens on it is refused, where SDL would crash making a renderer for it.
TEST(RealDisplay, AResetMidFrameAsksForARebuildAndAHostWindowAlreadyGoneIsRefused) {
  testing::virtual_display display;
  setenv("DISPLAY", display.name().c_str(), 1);
  auto device = make_sdl_display();
  ASSERT_TRUE(device->open({0, 640, 480, 32}));
  EXPECT_EQ(device->state(), device_state::usable);
  device->begin_frame();
  ::testing::internal::CaptureStderr();
  for (const SDL_EventType type : {SDL_RENDER_TARGETS_RESET, SDL_RENDER_DEVICE_RESET}) {
    SDL_Event reset{};
    reset.type = type;
    SDL_PushEvent(&reset);
  }
  device->present();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "varnel2d: the display device was reset; rebuilding it\n");
  EXPECT_EQ(device->state(), device_state::ready_to_rebuild);
  device->close();
  ASSERT_TRUE(device->open({0, 640, 480, 32}));
  EXPECT_EQ(device->state(), device_state::usable);
  device->close();

  // A frame presented reaches the window it was opened on, through OpenGL and on the CPU.
  testing::host_window shown(display.name(), 320, 240);
  testing::temp_folder folder;
  for (const auto& [renderer, colour] :
       {std::pair{display_renderer::gl, 0x0000FFu}, {display_renderer::software, 0xFF0000u}}) {
    testing::write_png(folder.file("plain.png"), testing::filled_image(64, 48, 0xFF000000u | colour));
    device = make_sdl_display({.renderer = renderer});
    ASSERT_TRUE(device->open({shown.id(), 640, 480, 32}));
    device->begin_frame();
    device->copy_surface(device->load_surface(folder.file("plain.png")));
    device->present();
    EXPECT_EQ(shown.pixel(160, 120), colour);
    device->close();
  }

  testing::host_window host(display.name(), 200, 150);
  const native_window gone = host.id();
  host.destroy();
  device = make_sdl_display();
  EXPECT_FALSE(device->open({gone, 640, 480, 32}));
  device->close();
}

}  // namespace
}  // namespace varnel2d
