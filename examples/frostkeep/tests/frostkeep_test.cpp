// Frostkeep played headless on the engine's doubles, with scripted keys and a clock that moves
// 16 ms a frame: walking into a wall, taking a crystal, losing every life to a wisp, entering a name
// into the high-score table, and a second run that finds it there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <varnel2d/testing/engine_on_doubles.h>

#include "src/game.h"

namespace fs = std::filesystem;
using frostkeep::game_state;

namespace {

// A fresh folder for one test, gone afterwards.
struct scratch_folder {
  fs::path path;
  scratch_folder() {
    std::string pattern = (fs::temp_directory_path() / "frostkeep-test-XXXXXX").string();
    path = mkdtemp(pattern.data());
  }
  ~scratch_folder() { fs::remove_all(path); }
};

// One run of the game, from the engine's start to the title screen.
struct run {
  varnel2d::testing::headless_engine headless;
  frostkeep::game game{*headless.engine};

  run(const fs::path& cache, const fs::path& scores) {
    EXPECT_TRUE(headless.engine->init(0, 640, 480, 32));
    std::string error;
    EXPECT_TRUE(game.start({FROSTKEEP_PACK_FOLDER, cache.string(), scores.string()}, error)) << error;
  }
  ~run() { headless.engine->terminate(); }

  void frames(int count) {
    for (int i = 0; i < count; ++i) {
      headless.clock->advance_ms(16);
      ASSERT_TRUE(game.frame());
    }
  }
  // Runs until the game is in `state`; false when that takes more than `most` frames.
  bool until(game_state state, int most) {
    for (int i = 0; i < most && game.state() != state; ++i) frames(1);
    return game.state() == state;
  }
  void tap(int key) {
    headless.input->press(static_cast<uint8_t>(key));
    frames(2);
    headless.input->release(static_cast<uint8_t>(key));
    frames(2);
  }
};

std::string read_file(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(Frostkeep, AGameFromTitleToHighScoreTableAndTheTableReadBackInTheNextRun) {
  scratch_folder folder;
  const fs::path scores = folder.path / "data" / "frostkeep" / "highscores.txt";
  {
    run first(folder.path / "cache1", scores);
    ASSERT_EQ(first.game.state(), game_state::title);
    first.tap(frostkeep::key::enter);
    ASSERT_TRUE(first.until(game_state::playing, 200));
    const frostkeep::level& keep = first.game.keep();
    const double start_x = first.game.hero().x;

    // Walking right takes the crystal two cells on and ends at the wall beyond it.
    first.headless.input->press(frostkeep::key::right);
    first.frames(90);
    const double stopped_x = first.game.hero().x;
    first.frames(30);
    const frostkeep::player& hero = first.game.hero();
    EXPECT_GT(stopped_x, start_x + 100);
    EXPECT_EQ(hero.x, stopped_x);
    EXPECT_TRUE(frostkeep::solid_at(*first.headless.engine, hero.x + 8, hero.y + 6));
    EXPECT_FALSE(frostkeep::solid_at(*first.headless.engine, hero.x + 6, hero.y + 6));
    EXPECT_EQ(first.game.score(), 25);
    EXPECT_EQ(keep.crystals_left, keep.crystals_total - 1);

    // The wisp beyond the wall wakes, homes in and freezes the player: one life each time, while the
    // player keeps walking back to the wall.
    EXPECT_EQ(first.game.lives(), 3);
    ASSERT_TRUE(first.until(game_state::frozen, 1500));
    EXPECT_EQ(first.game.lives(), 2);
    ASSERT_TRUE(first.until(game_state::entering_name, 5000));
    EXPECT_EQ(first.game.lives(), 0);
    first.headless.input->release(frostkeep::key::right);
    EXPECT_EQ(first.game.entry().place, 10);  // 25 beats only the last keeper's 20

    for (int letter : {33 /* F */, 19 /* R */, 24 /* O */, 31 /* S */, 20 /* T */}) first.tap(letter);
    first.tap(frostkeep::key::enter);
    EXPECT_EQ(first.game.state(), game_state::title);
    const std::string file = read_file(scores);
    EXPECT_NE(file.find("\"Aldis Frostmantle\",2000\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("\"FROST\",25\r\n"), std::string::npos) << file;
  }
  run second(folder.path / "cache2", scores);
  EXPECT_EQ(second.headless.engine->lib_highscoregetname(10), "FROST");
  EXPECT_EQ(second.headless.engine->lib_highscoregetscore(10), 25);
  EXPECT_EQ(second.headless.engine->lib_highscoregetname(9), "Ivo Whitepine");
}

}  // namespace
