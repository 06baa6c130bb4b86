// The command-line options of a run inside a screensaver host (XScreenSaver, MATE, Xfce, a settings
// panel's preview pane): where to draw, and settings for this run only. A pure function from the
// arguments to a request or one error line; the classic switches (/s, /c, /p, /a) never come here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <varnel2d/engine_backends.h>
#include "shell/shell_state.h"

namespace brisenfall {

// What the options ask for. Values left empty keep the settings file's.
struct run_request {
  enum class action { show, help, version };
  action what = action::show;
  bool root = false;                     // --root: XSCREENSAVER_WINDOW, else the root window
  std::optional<uint64_t> window_id;     // --window-id: this window, over --root
  std::optional<int16_t> snow;           // --snow
  std::optional<int16_t> volume;         // --volume
  std::optional<int16_t> scene_seconds;  // --scene-seconds
  std::optional<int16_t> mute;           // --mute gives -1, --music 0; the last one given wins
  std::optional<int16_t> depth;          // --depth
  bool fps = false;                      // --fps: the statistics line
  std::optional<varnel2d::display_renderer> renderer;  // --renderer
  std::optional<int16_t> max_fps;                      // --max-fps
};

// The allowed values of the numeric options (the configuration dialog's ranges).
inline constexpr int16_t SNOW_LEAST = 100, SNOW_MOST = 3000;
inline constexpr int16_t VOLUME_LEAST = 0, VOLUME_MOST = 100;
inline constexpr int16_t SCENE_SECONDS_LEAST = 5, SCENE_SECONDS_MOST = 120;
inline constexpr int16_t MAX_FPS_LEAST = 10, MAX_FPS_MOST = 240;

// An option the program refuses: one line for stderr, without a line end.
struct option_error {
  std::string line;
};

// True when the arguments are options of this kind: the first one starts with a dash.
bool has_run_options(const std::vector<std::string>& arguments);

// Reads the options; each takes one or two leading dashes, and a value either as the next argument
// or after "=".
std::variant<run_request, option_error> parse_run_options(const std::vector<std::string>& arguments);

// A window id written in hexadecimal ("0x1a00003") or decimal; nothing when malformed, 0 or above
// 32 bits.
std::optional<uint64_t> parse_window_id(std::string_view text);

// Where the show draws.
struct host_choice {
  enum class kind { own_window, given_window, xscreensaver_window, root_window };
  kind where = kind::own_window;
  uint64_t window = 0;  // the window id for given_window and xscreensaver_window
};

// --window-id over XSCREENSAVER_WINDOW (null when unset) over the root window; without --root and
// --window-id, a full-screen window of the show's own. A malformed XSCREENSAVER_WINDOW is an error.
std::variant<host_choice, option_error> choose_host(const run_request& request, const char* xscreensaver_window);

// Music plays only when the show fills a screen: the root window, the daemon's window, or a given
// window as large as the screen; never in a preview pane.
bool music_may_play(host_choice::kind where, int32_t width, int32_t height, int32_t screen_width,
                    int32_t screen_height);

// Lays the request's values over the settings, in memory only.
void apply_run_options(const run_request& request, settings_values& settings);

// How the show draws: --renderer over the environment variable BRISENFALL_RENDERER (null when
// unset) over the automatic choice. A malformed variable is named in `warning` and left aside.
varnel2d::display_renderer choose_renderer(std::optional<varnel2d::display_renderer> option, const char* environment,
                                           std::string& warning);

// The text --help prints, ending in a line end.
std::string usage_text();

}  // namespace brisenfall
