// The game's states and its frame.
#include "game.h"

#include <filesystem>
#include <system_error>

#include "assets.h"
#include "hud.h"

namespace frostkeep {
namespace {

// Frame timers (milliseconds): the current state's length, the blink of prompts and the title's
// page turn.
enum timer : int { state_timer = 1, blink_timer, page_timer, timer_count = page_timer };

constexpr int starting_lives = 3;
constexpr int crystal_points = 25, exit_points = 250;
constexpr double ready_ms = 1500, frozen_ms = 1800, cleared_ms = 2600, game_over_ms = 3500, shield_ms = 2500;
constexpr double title_page_ms = 7000, blink_ms = 450;

}  // namespace

bool game::start(const game_paths& paths, std::string& error) {
  paths_ = paths;
  if (!unpack_assets(e_, paths.pack_folder, paths.cache_folder, error)) return false;
  e_.sprite_init(sprite_count);  // before the animations: it empties their table
  if (!load_assets(e_, error) || !load_level(e_, keep_, error)) return false;
  read_high_scores(e_, paths.high_score_file);
  setup_hud(e_, 0x46726F73746BULL);
  e_.timer_init(timer_count);
  e_.timer_set(blink_timer, blink_ms);
  e_.music_volume(70);
  enter(game_state::title);
  return true;
}

void game::enter(game_state next, double ms) {
  state_ = next;
  if (ms > 0) e_.timer_set(state_timer, ms);
  if (next == game_state::title) {
    e_.sprite_offall();
    e_.map_setcameraonsprite(0);
    e_.timer_set(page_timer, title_page_ms);
    if (!e_.music_isplaying()) e_.music_play(music_piece, true);
  }
}

void game::new_game() {
  score_ = 0;
  lives_ = starting_lives;
  keep_number_ = 1;
  highlight_ = 0;
  start_keep();
}

// The keep as the map file has it, the player at the start and the spirits at their places.
void game::start_keep() {
  reset_level(e_, keep_);
  spawn_player(e_, hero_, keep_.start_x, keep_.start_y);
  e_.map_setcameraonsprite(player_sprite);
  enemies_ = spawn_enemies(e_, keep_, 1.0 + 0.15 * (keep_number_ - 1));
  enter(game_state::ready, ready_ms);
}

bool game::frame() {
  e_.scene_begin();
  const controls c = reader_.read(e_);
  if (e_.timer_check(blink_timer)) blink_ = !blink_;
  switch (state_) {
    case game_state::title:
      title(c);
      break;
    case game_state::entering_name:
      e_.texture_draw(title_texture, 0, 0, 640, 480, 0, 0, 255, 150, 160, 190, 0, 1, 1, true, 0, 0, 0, 0, 0, 0);
      draw_snow(e_);
      draw_banner(e_, "A place among the keepers!", "Type your name, then press Enter");
      draw_letters(e_, entry_.name + (blink_ ? "_" : " "), -1, 300);
      if (edit_name(entry_, c)) {
        e_.lib_highscoreset(entry_.place, entry_.score, entry_.name.empty() ? "Guest" : entry_.name);
        if (!write_high_scores(e_, paths_.high_score_file)) e_.log("Cannot write " + paths_.high_score_file);
        e_.sound_play(select_sound, false, 0);
        highlight_ = entry_.place;
        table_page_ = true;
        enter(game_state::title);
      }
      break;
    default:
      play(c);
  }
  if (c.screenshot) save_screenshot();
  e_.scene_end();
  e_.lib_doevents(1);
  return !quit_;
}

// F12: the picture goes beside the high-score table, as frostkeep-1.bmp, frostkeep-2.bmp...
void game::save_screenshot() {
  const std::string folder = paths_.high_score_file.substr(0, paths_.high_score_file.find_last_of('/') + 1);
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  e_.lib_savescreenshot(folder + "frostkeep-" + std::to_string(++screenshots_) + ".bmp");
}

void game::title(const controls& c) {
  e_.texture_draw(title_texture, 0, 0, 640, 480, 0, 0, 255, 255, 255, 255, 0, 1, 1, true, 0, 0, 0, 0, 0, 0);
  draw_snow(e_);
  if (e_.timer_check(page_timer)) table_page_ = !table_page_;
  if (table_page_) {
    draw_high_scores(e_, 176, highlight_);
  } else {
    if (blink_) e_.text(0, 372, 640, 40, "Press Enter or Space to begin", 0xFFFFF4D8, "Liberation Serif", 22, true,
                        false, 2, 2, 2, 0);
    e_.text(0, 418, 640, 24, "Gather the crystals, then reach the rune circle. Beware the spirits of the keep.",
            0xFFC8DAF2, "Liberation Sans", 11, false, true, 2, 1, 1, 0);
    e_.text(0, 442, 640, 24, "Arrows or WASD to walk  \xC2\xB7  Escape to leave", 0xFF9FB6D8, "Liberation Sans", 11,
            false, false, 2, 1, 1, 0);
  }
  if (c.confirm) {
    e_.sound_play(select_sound, false, 0);
    new_game();
  } else if (c.back) {
    quit_ = true;
  }
}

void game::play(const controls& c) {
  const double pace = 1.0 + 0.15 * (keep_number_ - 1);
  const bool state_over = e_.timer_check(state_timer);
  if (c.back) {  // Escape leaves the game for the title
    e_.music_stop();
    enter(game_state::title);
    return;
  }
  if (state_ == game_state::ready && state_over) {
    enter(game_state::playing);
    shield_player(e_, shield_ms);
  }
  if (state_ == game_state::playing) {
    move_player(e_, hero_, c);
    if (take_crystal(e_, keep_, hero_.x, hero_.y + 6)) {
      score_ += crystal_points * keep_number_;
      const double sx = hero_.x - e_.mapx;
      play_at(e_, pickup_sound, sx);
      const double spark = e_.sprite_get1availablerange(2, 9);
      if (spark > 0) {
        e_.sprite_on(spark, hero_.x, hero_.y - 4, sprites_texture, 0, 0, 1, layout::row_things, 32, 32);
        e_.sprite_setcollidestatus(spark, false);
        e_.sprite_animateonceturnoff(spark, layout::sparkle_burst, 70);
      }
      if (keep_.crystals_left == 0) {
        open_exit(e_, keep_);
        play_at(e_, open_sound, sx);
      }
    }
    if (on_open_exit(e_, keep_, hero_.x, hero_.y + 6)) {
      score_ += exit_points * keep_number_;
      e_.sound_play(level_sound, false, 0);
      enter(game_state::cleared, cleared_ms);
    }
    wake_wisps(e_, enemies_, pace);
  }
  if (state_ == game_state::frozen && state_over) {
    if (lives_ == 0) {
      e_.music_stop();
      e_.sound_play(gameover_sound, false, 0);
      enter(game_state::game_over, game_over_ms);
    } else {
      send_wisps_home(e_, enemies_);
      spawn_player(e_, hero_, keep_.start_x, keep_.start_y);
      enter(game_state::ready, ready_ms / 2);
    }
  }
  if (state_ == game_state::cleared && state_over) {
    ++keep_number_;
    start_keep();
  }
  if (state_ == game_state::game_over && state_over) {
    const int place = static_cast<int>(e_.lib_highscorecheck(score_));
    if (place > 0) {
      entry_ = name_entry{place, score_, ""};
      enter(game_state::entering_name);
    } else {
      table_page_ = true;
      enter(game_state::title);
    }
    return;
  }

  draw_world();

  // A spirit touching the player, unless the shield after a loss still holds.
  const bool shielded = e_.sprite_engineisalphafading(player_sprite);
  if (state_ == game_state::playing && !shielded && spirit_touching_player(e_) > 0) {
    --lives_;
    freeze_player(e_, hero_);
    play_at(e_, hurt_sound, hero_.x - e_.mapx);
    enter(game_state::frozen, frozen_ms);
  }
}

void game::draw_world() {
  e_.map_draw();  // first: it moves the camera onto the player, then the sprites are drawn under it
  draw_exit(e_, keep_);
  e_.sprites_draw();
  draw_snow(e_);
  hud();
  if (state_ == game_state::ready)
    draw_banner(e_, "Keep " + std::to_string(keep_number_),
                keep_.crystals_left == keep_.crystals_total ? "Gather every crystal" : "The lantern still burns");
  if (state_ == game_state::cleared) draw_banner(e_, "Keep cleared!", "The rune circle carries you deeper");
  if (state_ == game_state::game_over) draw_banner(e_, "Game over", "The lantern has gone out");
}

void game::hud() {
  draw_hud(e_, {score_, lives_, keep_.crystals_left, keep_.crystals_total, keep_number_});
}

}  // namespace frostkeep
