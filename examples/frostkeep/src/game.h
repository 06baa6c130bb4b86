// Frostkeep as a whole: the title, play, the loss of lives, game over and the high-score entry,
// one engine frame per call. The caller makes and starts the engine (a real window, or the
// engine's test doubles) and ends it.
#pragma once

#include <string>
#include <vector>

#include "controls.h"
#include "enemies.h"
#include "engine.h"
#include "high_scores.h"
#include "level.h"
#include "player.h"

namespace frostkeep {

enum class game_state { title, ready, playing, frozen, cleared, game_over, entering_name };

struct game_paths {
  std::string pack_folder;      // where frostkeep.pak and its data file are
  std::string cache_folder;     // where they are unpacked
  std::string high_score_file;  // see high_score_file()
};

class game {
 public:
  explicit game(engine& e) : e_(e) {}
  // Unpacks and loads the assets and the keep, reads the table and shows the title. After the
  // engine's init. False, with the reason in `error`, when something is missing.
  bool start(const game_paths& paths, std::string& error);
  // One frame: reads the controls, moves everything, draws. False once the player has quit.
  bool frame();

  game_state state() const { return state_; }
  int score() const { return score_; }
  int lives() const { return lives_; }
  const player& hero() const { return hero_; }
  const level& keep() const { return keep_; }
  const name_entry& entry() const { return entry_; }

 private:
  void enter(game_state next, double ms = 0);
  void new_game();
  void start_keep();
  void title(const controls& c);
  void play(const controls& c);
  void draw_world();
  void hud();
  void save_screenshot();

  engine& e_;
  game_paths paths_;
  control_reader reader_;
  level keep_;
  player hero_;
  std::vector<enemy> enemies_;
  game_state state_ = game_state::title;
  name_entry entry_;
  int score_ = 0, lives_ = 0, keep_number_ = 1;
  int highlight_ = 0;       // the place just entered, shown in gold on the title
  bool table_page_ = false;  // the title shows the table instead of the prompt
  bool blink_ = true;
  bool quit_ = false;
  int screenshots_ = 0;
};

}  // namespace frostkeep
