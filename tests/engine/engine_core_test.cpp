// Start-up, shutdown, device-loss recovery (also a loss mid-frame and another during the rebuild)
// and screenshots.
#include <gtest/gtest.h>

#include <filesystem>

#include <varnel2d/testing/engine_on_doubles.h>
#include "support/test_files.h"

namespace varnel2d {
namespace {

using testing::recorded_engine;

TEST(Init, DepthSixteenAsksForAFiveSixFiveBackBufferAndAnyOtherForEightBitsAChannel) {
  for (const double depth : {16.0, 32.0, 24.0, 8.0}) {
    recorded_engine e;
    ASSERT_TRUE(e->init(0x2a00007, 800, 600, depth));
    ASSERT_EQ(e.display->opened.size(), 1u);
    EXPECT_EQ(e.display->opened[0].depth, depth == 16 ? 16 : 32);
    EXPECT_EQ(e.display->opened[0].width, 800);
    EXPECT_EQ(e.display->opened[0].height, 600);
    EXPECT_EQ(e.display->opened[0].window, 0x2a00007u);
    EXPECT_TRUE(e.input->is_open);
    EXPECT_EQ(e->lib_getscreendepth(), depth);
    EXPECT_EQ(e->lib_getscreenwidth(), 800);
    EXPECT_EQ(e->lib_getscreenheight(), 600);
  }
}

TEST(Init, AMissingSizeFails) {
  recorded_engine e;
  EXPECT_FALSE(e->init(0, 640, 480));
  EXPECT_TRUE(e.display->opened.empty());
}

TEST(Init, ADeviceOrInputFailureIsLoggedAndTerminateStillRuns) {
  for (const bool device_fails : {true, false}) {
    recorded_engine e;
    testing::temp_folder folder;
    e->lib_setpath(folder.path().string());
    e.display->fail_open = device_fails;
    e.input->fail_open = !device_fails;
    EXPECT_FALSE(e->init(0, 640, 480, 32));
    EXPECT_EQ(testing::read_file(folder.file("data.log")),
              device_fails ? "Device Init Failed\r\n" : "Direct Input Init Failed\r\n");
    if (device_fails) {
      EXPECT_FALSE(e.input->is_open);
    }
    EXPECT_NO_THROW(e->terminate());
    EXPECT_FALSE(e.display->is_open);
  }
}

TEST(Terminate, ReleasesEverythingAndCanRunTwice) {
  recorded_engine e;
  testing::temp_folder folder;
  testing::write_png(folder.file("a.png"), testing::filled_image(8, 8, 0xFFFFFFFF));
  e->lib_setpath(folder.path().string());
  ASSERT_TRUE(e->init(0, 640, 480, 32));
  ASSERT_TRUE(e->texture_load(1, "a.png", 0xFFFF00FFu));
  e->terminate();
  EXPECT_FALSE(e.display->is_open);
  EXPECT_FALSE(e.input->is_open);
  EXPECT_EQ(e.display->live_images(), 0);
  EXPECT_NO_THROW(e->terminate());
}

struct loaded_engine : recorded_engine {
  testing::temp_folder folder;
  loaded_engine() {
    testing::write_png(folder.file("a.png"), testing::filled_image(8, 8, 0xFFFFFFFF));
    testing::write_png(folder.file("b.png"), testing::filled_image(16, 4, 0xFFFFFFFF));
    engine->lib_setpath(folder.path().string());
    engine->init(0, 640, 480, 32);
    engine->texture_load(1, "a.png", 0u);
    engine->texture_load(7, "b.png", 0xFF00FF00u);
    engine->surface_load(2, "a.png");
  }
};

TEST(SceneLost, HealthyDeviceReturnsAtOnce) {
  loaded_engine e;
  EXPECT_FALSE(e->scene_lost());
  EXPECT_EQ(e.display->opened.size(), 1u);
}

TEST(SceneLost, WaitsWhileLostThenRebuildsAndReloadsWithTheMagentaKey) {
  loaded_engine e;
  e.display->upcoming_states = {device_state::lost, device_state::lost, device_state::ready_to_rebuild};
  e.display->texture_files.clear();
  e.display->colour_keys.clear();
  const int32_t presents = e.display->presents;
  EXPECT_FALSE(e->scene_lost());
  EXPECT_EQ(e.display->opened.size(), 2u);
  EXPECT_EQ(e.display->presents, presents + 100);  // the warm-up runs again
  EXPECT_EQ(e.display->texture_files, (std::vector<std::string>{e.folder.file("a.png"), e.folder.file("b.png")}));
  EXPECT_EQ(e.display->colour_keys, (std::vector<uint32_t>{0xFFFF00FFu, 0xFFFF00FFu}));
  EXPECT_EQ(e.display->live_images(), 3);
  EXPECT_EQ(e->texture_getwidth(7), 16);
  EXPECT_TRUE(e.input->is_open);
}

TEST(SceneLost, ALossInTheMiddleOfAFrameAndAnotherDuringTheRebuildAreBothRepaired) {
  using enum device_state;
  loaded_engine e;
  e->scene_begin();
  e.display->upcoming_states = {lost, ready_to_rebuild, lost, lost, ready_to_rebuild};
  e->texture_draw(1, 0, 0, 8, 8, 50, 60, 255, 255, 255, 255, 0, 1, 1, true, 0, 0, 0, 1, 1, 0);
  e->scene_end();
  EXPECT_FALSE(e->scene_lost());
  // The second loss came while the first rebuild ran: the next look finds it and rebuilds again.
  EXPECT_FALSE(e->scene_lost());
  EXPECT_FALSE(e->scene_lost());
  EXPECT_EQ(e.display->opened.size(), 3u);
  EXPECT_EQ(e.display->closes, 2);
  EXPECT_EQ(e.display->live_images(), 3) << "the two textures and the surface, once each";
  EXPECT_EQ(e->texture_getwidth(7), 16);
  EXPECT_TRUE(e.input->is_open);
}

TEST(SceneLost, FailedRebuildIsReported) {
  loaded_engine e;
  e.display->upcoming_states = {device_state::ready_to_rebuild};
  e.display->fail_open = true;
  EXPECT_TRUE(e->scene_lost());
}

TEST(Screenshot, DefaultNamesCountUpInTheDataFolder) {
  loaded_engine e;
  EXPECT_TRUE(e->lib_savescreenshot());
  EXPECT_TRUE(e->lib_savescreenshot());
  EXPECT_TRUE(e->lib_savescreenshot("/tmp/elsewhere.bmp"));
  EXPECT_EQ(e.display->screenshots,
            (std::vector<std::string>{e.folder.file("screen1.bmp"), e.folder.file("screen2.bmp"), "/tmp/elsewhere.bmp"}));
}

TEST(Screenshot, HeadlessWritesTheBackBufferAsA24BitBmp) {
  testing::headless_engine e;
  testing::temp_folder folder;
  testing::write_png(folder.file("red.png"), testing::filled_image(10, 10, 0xFFFF0000));
  e->lib_setpath(folder.path().string());
  ASSERT_TRUE(e->init(0, 320, 240, 32));
  ASSERT_TRUE(e->texture_load(1, "red.png", 0u));
  e->scene_begin();
  e->texture_draw(1, 0, 0, 10, 10, 50, 60, 255, 255, 255, 255, 0, 1, 1, true, 0, 0, 0, 1, 1, 0);
  ASSERT_TRUE(e->lib_savescreenshot());
  e->scene_end();
  ASSERT_TRUE(e->lib_savescreenshot());
  const testing::pixel_image first = testing::read_bmp24(folder.file("screen1.bmp"));
  EXPECT_EQ(first.width, 320);
  EXPECT_EQ(first.height, 240);
  EXPECT_EQ(first.at(55, 65), 0xFFFF0000u);
  EXPECT_EQ(first.at(45, 65), 0xFF000000u);
  EXPECT_TRUE(std::filesystem::exists(folder.file("screen2.bmp")));
}

TEST(Statistics, OverlayLineDrawnWithArialInWhite) {
  loaded_engine e;
  e->sceneinfo = true;
  e->scene_begin();
  e->scene_end();
  ASSERT_EQ(e.display->texts.size(), 1u);
  const recorded_text& line = e.display->texts[0];
  EXPECT_EQ(line.text.rfind("FPS=", 0), 0u);
  EXPECT_NE(line.text.find(" Sprites=0 Mouse=0/0 Button=0"), std::string::npos);
  EXPECT_EQ(line.face, "Arial");
  EXPECT_EQ(line.colour, 0xFFFFFFFFu);
  EXPECT_EQ(line.left, 10);
  EXPECT_EQ(line.top, 10);
  EXPECT_EQ(line.right, 310);
  EXPECT_EQ(line.bottom, 60);
}

}  // namespace
}  // namespace varnel2d
