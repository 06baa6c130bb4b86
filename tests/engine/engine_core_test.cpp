// Start-up, shutdown, device-loss recovery (also a loss mid-frame and another during the rebuild),
// screenshots and the statistics line.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "support/engine_fixture.h"

namespace varnel2d::testing {
namespace {

TEST(Init, DepthSixteenAsksForFiveSixFiveAnyOtherForEightBitsAChannelAndFailuresAreLogged) {
  for (const double depth : {16.0, 32.0, 24.0, 8.0}) {
    recorded_engine e;
    ASSERT_TRUE(e->init(0x2a00007, 800, 600, depth));
    ASSERT_EQ(e.display->opened.size(), 1u);
    const display_mode& mode = e.display->opened[0];
    EXPECT_EQ(std::tuple(mode.depth, mode.width, mode.height, mode.window),
              std::tuple(depth == 16 ? 16 : 32, 800, 600, 0x2a00007u));
    EXPECT_TRUE(e.input->is_open);
    EXPECT_EQ(std::tuple(e->lib_getscreendepth(), e->lib_getscreenwidth(), e->lib_getscreenheight()),
              std::tuple(depth, 800.0, 600.0));
  }
  // A missing size, or a device or input failure, fails and is logged; terminate still runs.
  recorded_engine unsized;
  EXPECT_FALSE(unsized->init(0, 640, 480));
  EXPECT_TRUE(unsized.display->opened.empty());
  for (const bool device_fails : {true, false}) {
    recorded_engine e;
    temp_folder folder;
    e->lib_setpath(folder.path().string());
    e.display->fail_open = device_fails;
    e.input->fail_open = !device_fails;
    EXPECT_FALSE(e->init(0, 640, 480, 32));
    EXPECT_EQ(read_file(folder.file("data.log")),
              device_fails ? "Device Init Failed\r\n" : "Direct Input Init Failed\r\n");
    EXPECT_FALSE(device_fails && e.input->is_open);
    EXPECT_NO_THROW(e->terminate());
    EXPECT_FALSE(e.display->is_open);
  }
}

// Two textures (8 x 8 in slot 1, 16 x 4 in slot 7) and a surface loaded. A loss waits while lost, then
// rebuilds and reloads with the magenta key; a loss mid-frame and another during that rebuild are
// both repaired; terminate releases everything and can run twice; a failed rebuild is reported.
TEST(SceneLost, RebuildsAndReloadsAfterEveryLossTerminateReleasesAllAndAFailedRebuildIsReported) {
  using enum device_state;
  started_recorded e;
  e.load_texture(1, 8, 8);
  e.load_texture(7, 16, 4);
  e->surface_load(2, "texture1.png");
  EXPECT_FALSE(e->scene_lost());  // a healthy device returns at once
  EXPECT_EQ(e.display->opened.size(), 1u);
  e.display->upcoming_states = {lost, lost, ready_to_rebuild};
  e.display->texture_files.clear();
  e.display->colour_keys.clear();
  const int32_t presents = e.display->presents;
  EXPECT_FALSE(e->scene_lost());
  EXPECT_EQ(e.display->opened.size(), 2u);
  EXPECT_EQ(e.display->presents, presents + 100);  // the warm-up runs again
  EXPECT_EQ(e.display->texture_files, (std::vector{e.folder.file("texture1.png"), e.folder.file("texture7.png")}));
  EXPECT_EQ(e.display->colour_keys, (std::vector<uint32_t>{0xFFFF00FFu, 0xFFFF00FFu}));
  EXPECT_EQ(e.display->live_images(), 3);
  e->scene_begin();
  e.display->upcoming_states = {lost, ready_to_rebuild, lost, lost, ready_to_rebuild};
  e->texture_draw(1, 0, 0, 8, 8, 50, 60, 255, 255, 255, 255, 0, 1, 1, true, 0, 0, 0, 1, 1, 0);
  e->scene_end();
  // The second loss came while the first rebuild ran: the next look finds it and rebuilds again.
  for (int look = 0; look < 3; ++look) EXPECT_FALSE(e->scene_lost()) << look;
  EXPECT_EQ(std::pair(e.display->opened.size(), e.display->closes), std::pair(size_t{4}, 3));
  EXPECT_EQ(e.display->live_images(), 3) << "the two textures and the surface, once each";
  EXPECT_EQ(e->texture_getwidth(7), 16);
  EXPECT_TRUE(e.input->is_open);
  e->terminate();
  EXPECT_FALSE(e.display->is_open);
  EXPECT_FALSE(e.input->is_open);
  EXPECT_EQ(e.display->live_images(), 0);
  EXPECT_NO_THROW(e->terminate());
  started_recorded failing;
  failing.display->upcoming_states = {ready_to_rebuild};
  failing.display->fail_open = true;
  EXPECT_TRUE(failing->scene_lost());
}

TEST(Screenshot, DefaultNamesCountUpInTheDataFolderAndTheStatisticsLineIsDrawnWithArialInWhite) {
  started_recorded e;
  EXPECT_TRUE(e->lib_savescreenshot());
  EXPECT_TRUE(e->lib_savescreenshot());
  EXPECT_TRUE(e->lib_savescreenshot("/tmp/elsewhere.bmp"));
  EXPECT_EQ(e.display->screenshots, (std::vector<std::string>{e.folder.file("screen1.bmp"),
                                                              e.folder.file("screen2.bmp"), "/tmp/elsewhere.bmp"}));
  e->sceneinfo = true;
  e.frame();
  ASSERT_EQ(e.display->texts.size(), 1u);
  const recorded_text& line = e.display->texts[0];
  EXPECT_EQ(line.text.rfind("FPS=", 0), 0u);
  EXPECT_NE(line.text.find(" Sprites=0 Mouse=0/0 Button=0"), std::string::npos);
  EXPECT_EQ(std::tuple(line.face, line.colour, line.left, line.top, line.right, line.bottom),
            std::tuple("Arial", 0xFFFFFFFFu, 10, 10, 310, 60));
}

TEST(Screenshot, HeadlessWritesTheBackBufferAsA24BitBmp) {
  started_headless e;
  e.load_texture(1, 10, 10, 0xFFFF0000);
  e->scene_begin();
  e->texture_draw(1, 0, 0, 10, 10, 50, 60, 255, 255, 255, 255, 0, 1, 1, true, 0, 0, 0, 1, 1, 0);
  ASSERT_TRUE(e->lib_savescreenshot());
  e->scene_end();
  ASSERT_TRUE(e->lib_savescreenshot());
  const pixel_image first = read_bmp24(e.folder.file("screen1.bmp"));
  EXPECT_EQ(std::tuple(first.width, first.height, first.at(55, 65), first.at(45, 65)),
            std::tuple(640, 480, 0xFFFF0000u, 0xFF000000u));
  EXPECT_TRUE(std::filesystem::exists(e.folder.file("screen2.bmp")));
}

}  // namespace
}  // namespace varnel2d::testing
