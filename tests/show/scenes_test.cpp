// The show's pieces on an engine of test doubles: snow batches, the scene sequence and its
// cross-fade, and the music playlist on offline audio.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <varnel2d/Varnel_2D_Engine.h>
#include "show/playlist.h"
#include "show/scenes.h"
#include "show/snowfall.h"
#include "support/audio_test_files.h"
#include <varnel2d/testing/engine_on_doubles.h>
#include "support/temp_folder.h"

namespace brisenfall {
namespace {

using testing::headless_engine;
using testing::recorded_engine;

// An engine ready for the show's sprites: N sprites, one 20 ms frame a step.
struct show_engine {
  explicit show_engine(int16_t snow_amount, bool with_audio = false) : doubles(with_audio) {
    EXPECT_TRUE(doubles->init(0, 640, 480, 32));
    show.snow_amount = snow_amount;
    show.flakes_per_tick = flakes_per_tick_for(snow_amount);
    doubles->sprite_init(snow_amount);
  }
  void frames(int count) {
    for (int i = 0; i < count; ++i) {
      doubles.clock->advance_ms(20);
      doubles->scene_begin();
      doubles->sprites_draw();
      doubles->scene_end();
    }
  }
  bool on(int32_t sprite) { return doubles->sprite_getstatus(sprite).value_or(0) != 0; }

  recorded_engine doubles;
  show_state show;
};

TEST(snowfall, the_batch_size_is_a_hundredth_of_the_amount_halves_to_even) {
  EXPECT_EQ(std::tuple(flakes_per_tick_for(1250), flakes_per_tick_for(1350), flakes_per_tick_for(1300),
                       flakes_per_tick_for(100)),
            std::tuple(12, 14, 13, 1));
}

// The slowest flake falls 0.046 pixels a millisecond: 580 pixels take under 13 seconds.
TEST(snowfall, flakes_start_above_the_picture_within_their_ranges_fall_and_free_their_sprites_below_it) {
  show_engine e(1300);
  for (int batch = 0; batch < 60; ++batch) start_snowflakes(*e.doubles.engine, e.show);
  EXPECT_EQ(e.doubles->sprite_gethowmanyon(), 60 * 13);
  for (int32_t sprite = 2; sprite < 2 + 60 * 13; ++sprite) {
    ASSERT_TRUE(e.on(sprite));
    EXPECT_EQ(e.doubles->sprite_gety(sprite), -100);
    const double x = e.doubles->sprite_getx(sprite), scale = e.doubles->sprite_getscale(sprite);
    const double alpha = e.doubles->sprite_getalpha(sprite);
    const double largest = e.doubles->sprite_animategetframewidth(sprite) == 32 ? 0.625 : 0.65;  // common : large
    EXPECT_TRUE(x >= -40 && x <= 640 && scale >= 0.135 - 1e-6 && scale <= largest + 1e-6 && alpha >= 10 && alpha <= 255)
        << sprite << ": " << x << ", " << scale << ", " << alpha;
  }
  e.frames(20);
  EXPECT_GT(e.doubles->sprite_gety(2), -100);
  e.frames(13000 / 20);
  EXPECT_EQ(e.doubles->sprite_gethowmanyon(), 0);
}

TEST(snowfall, a_full_table_starts_nothing_and_the_scene_sprites_stay_free) {
  show_engine e(100);
  for (int batch = 0; batch < 200; ++batch) start_snowflakes(*e.doubles.engine, e.show);
  EXPECT_EQ(e.doubles->sprite_gethowmanyon(), 95);  // flakes on sprites 2 .. 96
  EXPECT_FALSE(e.on(1));
  for (int32_t sprite = 97; sprite <= 100; ++sprite) EXPECT_FALSE(e.on(sprite));
}

TEST(scenes, the_layout_of_a_scene_comes_from_two_slices) {
  show_state show;
  get_frame(show, 4);
  const auto& [left, right] = show.scene_layout;
  EXPECT_EQ(std::tie(left.texture, left.source_x, left.width), std::tuple(4, 384, 128));
  EXPECT_EQ(std::tie(right.texture, right.source_x, right.width), std::tuple(5, 0, 512));
  for (int scene : {0, 11, -1}) {
    get_frame(show, scene);
    EXPECT_EQ(show.scene_layout[0].texture, 4);
  }
  for (int scene = 1; scene <= SCENE_COUNT; ++scene) {
    get_frame(show, scene);
    EXPECT_EQ(show.scene_layout[0].width + show.scene_layout[1].width, 640) << scene;
    EXPECT_EQ(show.scene_layout[0].height, 480);
  }
}

// The first change goes to pair B (sprites N-3, N-2), the second back to pair A (N-1, N); each
// scene is followed by the next, and after scene ten comes scene one.
TEST(scenes, changes_alternate_between_the_two_pairs_and_after_ten_comes_one) {
  show_engine e(1300);
  for (int16_t before = 0; before < SCENE_COUNT; ++before) {
    show_state show = e.show;
    show.current_scene = before;
    new_scene(*e.doubles.engine, show);
    EXPECT_EQ(show.current_scene, before + 1);
  }
  e.show.current_scene = 3;
  new_scene(*e.doubles.engine, e.show);
  EXPECT_EQ(e.show.current_scene, 4);
  // Scene four lies on the new pair side by side: left at x 0, right at x 128, fading in from 0.
  EXPECT_TRUE(e.on(1297) && e.on(1298));
  EXPECT_EQ(std::tuple(e.doubles->sprite_getx(1297), e.doubles->sprite_getx(1298)), std::tuple(0.0, 128.0));
  EXPECT_EQ(e.doubles->sprite_getalpha(1297), 0);

  show_engine two(1300);
  two.show.current_scene = 10;
  new_scene(*two.doubles.engine, two.show);
  EXPECT_EQ(two.show.current_scene, 1);
  two.frames(150);
  new_scene(*two.doubles.engine, two.show);
  two.frames(150);  // 3 seconds: both fades are over
  EXPECT_TRUE(two.on(1299) && two.on(1300));
  EXPECT_EQ(two.doubles->sprite_getalpha(1299), 255);
  EXPECT_FALSE(two.on(1297) || two.on(1298));
  EXPECT_EQ(two.show.current_scene, 2);
}

// The playlist on offline audio with the real synthesiser: short pieces that end within a second.
struct playlist_engine : show_engine {
  playlist_engine() : show_engine(1300, true) { doubles->lib_setpath(folder.data_path()); }
  void write_piece(const std::string& name) { testing::write_binary(folder.path() / name, testing::short_piece()); }
  void play_out() { doubles.audio->render(3 * 44100); }
  testing::temp_folder folder;
  settings_values settings;
};

// A piece moved away is logged when the list is loaded again and skipped.
TEST(playlist, a_list_of_three_from_a_start_of_three_plays_3_1_2_3_1_and_a_piece_moved_away_is_skipped) {
  playlist_engine e;
  for (const char* name : {"a.mid", "b.mid", "c.mid"}) e.write_piece(name);
  e.settings.cfg_custom_music = 1;
  e.settings.cfg_music_count = 3;
  e.settings.cfg_music_files = {e.folder.file("a.mid"), e.folder.file("b.mid"), e.folder.file("c.mid")};
  music_setup(*e.doubles.engine, e.show, e.settings);
  EXPECT_EQ(e.show.music_count, 3);
  e.show.current_track = 2;
  std::vector<int> played;
  for (int check = 0; check < 5; ++check) {
    music_check(*e.doubles.engine, e.show, e.settings);
    EXPECT_TRUE(e.doubles->music_isplaying());
    music_check(*e.doubles.engine, e.show, e.settings);  // still playing: nothing changes
    played.push_back(e.show.current_track);
    e.play_out();
  }
  EXPECT_EQ(played, (std::vector<int>{3, 1, 2, 3, 1}));

  std::filesystem::rename(e.folder.file("b.mid"), e.folder.file("moved.mid"));
  music_setup(*e.doubles.engine, e.show, e.settings);
  e.show.current_track = 1;
  music_check(*e.doubles.engine, e.show, e.settings);
  EXPECT_EQ(e.show.current_track, 3);
  EXPECT_TRUE(e.doubles->music_isplaying());
  EXPECT_EQ(testing::read_file(e.folder.path() / "data.log"),
            "Cannot find the music " + e.folder.file("b.mid") + "\r\n");
}

TEST(playlist, a_list_longer_than_the_slots_loads_only_the_first_64) {
  playlist_engine e;
  e.settings.cfg_custom_music = 1;
  e.settings.cfg_music_count = INT16_MAX;
  e.settings.cfg_music_files.assign(INT16_MAX, e.folder.file("gone.mid"));
  music_setup(*e.doubles.engine, e.show, e.settings);
  EXPECT_EQ(e.show.music_count, 64);
  EXPECT_GE(e.show.current_track, 0);
  EXPECT_LT(e.show.current_track, 64);
  const std::string log = testing::read_file(e.folder.path() / "data.log");
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 64);
}

// Muted, nothing loads or plays; custom music without a list plays the built-in pieces from a
// varying start.
TEST(playlist, muted_plays_nothing_and_custom_music_without_a_list_plays_the_built_in_pieces) {
  playlist_engine e;
  for (int i = 1; i <= 4; ++i) e.write_piece("music" + std::to_string(i) + ".mid");
  e.settings.cfg_music_mute = 1;
  music_setup(*e.doubles.engine, e.show, e.settings);
  EXPECT_EQ(std::tuple(e.show.music_count, e.show.current_track), std::tuple(0, 0));
  for (int check = 0; check < 3; ++check) music_check(*e.doubles.engine, e.show, e.settings);
  EXPECT_FALSE(e.doubles->music_isplaying());
  EXPECT_EQ(testing::measure(e.doubles.audio->render(44100)).peak, 0.0f);

  e.settings.cfg_music_mute = 0;
  e.settings.cfg_custom_music = 1;
  std::set<int> starts;
  for (int start = 0; start < 100; ++start) {
    music_setup(*e.doubles.engine, e.show, e.settings);
    starts.insert(e.show.current_track + 1);
  }
  EXPECT_EQ(e.show.music_count, 4);
  EXPECT_EQ(starts, (std::set<int>{1, 2, 3, 4}));
  music_check(*e.doubles.engine, e.show, e.settings);
  EXPECT_TRUE(e.doubles->music_isplaying());
}

}  // namespace
}  // namespace brisenfall
