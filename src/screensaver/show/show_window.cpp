// The show window's life: load (password step), main_loop, close request, unload (release step).
#include "show/show_window.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include <varnel2d/Varnel_2D_Engine.h>
#include <varnel2d/numbers.h>
#include "shell/shell_utilities.h"
#include "show/playlist.h"
#include "show/scenes.h"
#include "show/snowfall.h"

namespace brisenfall {
namespace {

constexpr double BACK_BUFFER_WIDTH = 640;
constexpr double BACK_BUFFER_HEIGHT = 480;
constexpr uint32_t COLOUR_KEY = 0xFFFF00FF;  // opaque magenta is transparent in every picture

// The fewest sprites the show can lay out: sprite 1 unused, one flake, two scene pairs.
constexpr int16_t FEWEST_SPRITES = 6;

// DirectInput key codes that end the show, and the screenshot key.
constexpr std::array<int, 4> EXIT_KEYS = {1, 57, 219, 220};  // Escape, Space, left and right Windows keys
constexpr int SCREENSHOT_KEY = 25;                            // P
constexpr int16_t MOVEMENT_FRAMES_ALLOWED = 10;

enum show_timer { SCENE_TIMER = 1, SNOW_TIMER = 2, FIVE_SECOND_TIMER = 3 };
constexpr double SNOW_PERIOD_MS = 40;
constexpr double FIVE_SECONDS_MS = 5000;

struct texture_plan_entry {
  int32_t index;
  std::string file;
};

// Scene slices on textures 1..13, the common flake on 14, crystals on 15..26, the crystal sheet on 28.
std::vector<texture_plan_entry> texture_plan() {
  std::vector<texture_plan_entry> plan;
  for (int i = 1; i <= 13; ++i) plan.push_back({i, "f" + std::to_string(i) + ".jpg"});
  plan.push_back({COMMON_FLAKE_TEXTURE, "sb1.png"});
  for (int i = 1; i <= 12; ++i) plan.push_back({FIRST_CRYSTAL_TEXTURE + i - 1, "sf" + std::to_string(i) + ".png"});
  plan.push_back({CRYSTAL_SHEET_TEXTURE, "gf1.png"});
  return plan;
}

bool password_family_is_told(int32_t windows_platform, int16_t password_in_use) {
  return windows_platform != PLATFORM_LOCKS_SCREEN_ITSELF && password_in_use != 0;
}

}  // namespace

std::vector<std::string> show_picture_files() {
  std::vector<std::string> files;
  for (const texture_plan_entry& entry : texture_plan()) files.push_back(entry.file);
  return files;
}

frmMain::frmMain(shell_state& shell, show_services services) : shell_(shell), services_(std::move(services)) {}

frmMain::~frmMain() = default;

void frmMain::show_window() {
  form_load();
  if (started_) return;
  started_ = true;
  main_loop();
}

void frmMain::form_load() {
  // The window is borderless, on top and covers the screen from (0, 0): the display opens it so.
  if (shell_.config_preview_active) return;
  password_in_use_ = varnel2d::to_int16(varnel2d::leading_number(registry_get_value(services_.system, HKEY_CURRENT_USER,
                                                                "Control Panel\\Desktop", "ScreenSaveUsePassword")));
  windows_platform_ = read_windows_platform(services_.system);
  if (password_family_is_told(windows_platform_, password_in_use_)) services_.system.set_screensaver_running(true);
}

void frmMain::main_loop() {
  if (report_missing_files()) {
    failed_ = true;
    form_unload();
    return;
  }
  if (setup()) {
    while (show_.keep_running) {
      if (engine_->scene_lost()) {
        engine_->log("The display was lost and could not be rebuilt; the show ends");
        failed_ = true;
        break;
      }
      frame();
    }
  }
  shutdown();
}

bool frmMain::report_missing_files() {
  const settings_values& settings = shell_.settings;
  // Joined as the engine joins its data folder and a file: one separator unless the folder ends in one.
  const std::string folder = with_trailing_separator(settings.cfg_install_path);
  std::string missing;
  for (const std::string& file : show_picture_files()) {
    if (file_has_content(services_.system, folder + file)) continue;
    missing += (missing.empty() ? "" : ", ") + file;
  }
  if (missing.empty()) return false;
  services_.system.message_box("Screensaver", "The show cannot start: these files are missing from its data folder " +
                                                  settings.cfg_install_path + ": " + missing + ".");
  return true;
}

bool frmMain::setup() {
  const settings_values& settings = shell_.settings;
  engine_ = services_.make_engine();
  const bool started = engine_->init(services_.window, BACK_BUFFER_WIDTH, BACK_BUFFER_HEIGHT, settings.cfg_video_depth);
  // A close request, SIGTERM or the loss of the host's window during the warm-up ends the show
  // before anything is loaded; a start that failed for that reason is no error to show.
  if (services_.run_pending_events()) return false;
  if (!started) {
    services_.system.message_box("Screensaver", "Error! Could not initiate DirectX.");
    failed_ = true;
    return false;
  }
  show_.snow_amount = std::max(settings.cfg_snow_amount, FEWEST_SPRITES);
  show_.flakes_per_tick = flakes_per_tick_for(settings.cfg_snow_amount);
  engine_->sprite_init(show_.snow_amount);
  engine_->lib_setpath(settings.cfg_install_path);
  for (const texture_plan_entry& entry : texture_plan())
    if (!engine_->texture_load(entry.index, entry.file, COLOUR_KEY, false))
      engine_->log("Cannot load the picture " + entry.file);

  music_setup(*engine_, show_, settings);

  engine_->timer_init(3);
  engine_->timer_set(SCENE_TIMER, settings.cfg_scene_time * 1000.0);
  engine_->timer_set(SNOW_TIMER, SNOW_PERIOD_MS);
  engine_->timer_set(FIVE_SECOND_TIMER, FIVE_SECONDS_MS);

  show_.scene_count = SCENE_COUNT;
  show_.current_scene = static_cast<int16_t>(engine_->lib_getnumber(1, show_.scene_count) - 1);
  new_scene(*engine_, show_);

  show_.show_running = true;
  show_.keep_running = true;
  engine_->sceneinfo = services_.statistics;
  show_.mouse_move_count = 0;
  show_.last_mouse_x = -1;
  show_.last_mouse_y = -1;
  return true;
}

void frmMain::frame() {
  Varnel_2D_Engine& engine = *engine_;
  if (services_.window_visible && !services_.window_visible()) {
    if (services_.run_pending_events()) close_request();
    return;
  }
  if (services_.input_ends_show) {
    for (int key : EXIT_KEYS)
      if (engine.key_check(key)) show_.keep_running = false;
    count_mouse_movement();
    if (engine.mousebutton > 0) show_.keep_running = false;
  }

  if (engine.timer_check(SNOW_TIMER)) start_snowflakes(engine, show_);
  if (engine.timer_check(SCENE_TIMER)) new_scene(engine, show_);
  if (engine.timer_check(FIVE_SECOND_TIMER)) {
    show_.mouse_move_count = 0;
    music_check(engine, show_, shell_.settings);
  }

  engine.scene_begin();
  engine.sprites_draw();
  if (engine.key_check(SCREENSHOT_KEY)) {
    engine.lib_savescreenshot("");
    engine.key_clear(SCREENSHOT_KEY);
  }
  engine.scene_end();
  if (services_.statistics) print_framerate();
  if (services_.run_pending_events()) close_request();
}

void frmMain::print_framerate() {
  // The statistics line shows the frame rate in the picture; a host's log (or a test) reads it here.
  // The tick count wraps every 49.7 days: the time passed is the difference of two counts modulo 2^32.
  const auto now = static_cast<uint32_t>(static_cast<int32_t>(engine_->lib_tickcount()));
  if (last_framerate_print_ && static_cast<int32_t>(now - *last_framerate_print_) < 1000) return;
  last_framerate_print_ = now;
  std::printf("FPS=%d\n", static_cast<int>(engine_->framerate));
  std::fflush(stdout);
}

void frmMain::count_mouse_movement() {
  const Varnel_2D_Engine& engine = *engine_;
  if (engine.mousex == show_.last_mouse_x && engine.mousey == show_.last_mouse_y) return;
  show_.last_mouse_x = varnel2d::to_int16(engine.mousex);
  show_.last_mouse_y = varnel2d::to_int16(engine.mousey);
  if (++show_.mouse_move_count > MOVEMENT_FRAMES_ALLOWED) show_.keep_running = false;
}

bool frmMain::close_request() {
  if (!show_.show_running) return true;
  show_.keep_running = false;
  return false;
}

void frmMain::shutdown() {
  show_.keep_running = false;
  show_.show_running = false;
  if (engine_) {
    engine_->music_stop();
    engine_->terminate();
    engine_.reset();
  }
  services_.run_pending_events();
  services_.run_pending_events();
  form_unload();
}

void frmMain::form_unload() {
  ++unload_count_;
  if (shell_.config_preview_active) return;
  if (password_family_is_told(windows_platform_, password_in_use_)) services_.system.set_screensaver_running(false);
}

}  // namespace brisenfall
