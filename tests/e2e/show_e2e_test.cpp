// The real show under Xvfb: it starts, draws a scene with snow, saves a screenshot on P, and ends on
// a held key, a tap, a click or SIGTERM with exit code 0.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <thread>

#include "support/child_process.h"
#include "support/temp_folder.h"
#include "support/test_files.h"
#include "support/virtual_display.h"

namespace brisenfall {
namespace {

using namespace std::chrono_literals;
using testing::child_process;
using testing::temp_folder;

// The warm-up frames take 2.5 seconds, the first scene 2.5 more to fade in, and the snow a few more
// to reach the middle of the picture. P is held for a third of a second, Escape until the show has
// ended, as a person holds them.
constexpr auto SHOW_SETTLED = 8s;

class show_e2e : public ::testing::Test {
 protected:
  show_e2e() { testing::make_show_folders(BRISENFALL_DATA_DIR, data, config); }

  std::unique_ptr<child_process> start_show() {
    auto show = std::make_unique<child_process>(
        std::vector<std::string>{BRISENFALL_BINARY, "/s"},
        std::map<std::string, std::string>{{"XDG_CONFIG_HOME", config.path().string()},
                                           {"XDG_RUNTIME_DIR", config.path().string()},
                                           {"DISPLAY", display.name()},
                                           {"SDL_AUDIODRIVER", "dummy"}});
    const bool shown = display.wait_for_window("Screensaver Form", 20s) != 0;
    const auto ended = show->wait_for_exit(0ms);
    EXPECT_TRUE(shown) << "no show window; the show " << (ended ? "ended with " + std::to_string(*ended) : "runs")
                       << "; the windows:\n"
                       << testing::command_output("DISPLAY=" + display.name() + " xwininfo -root -tree 2>&1 | head -20");
    std::this_thread::sleep_for(SHOW_SETTLED);
    return show;
  }

  // How many of `tries` shows end with code 0 on `xdotool_action`, each sent as soon as its show
  // prints its first statistics line, at its first frame. The shows run at once, each on a display
  // of its own.
  int shows_ended_by(const std::string& xdotool_action, int tries) {
    struct show_try {
      testing::virtual_display display;
      std::string output;
      std::unique_ptr<child_process> show;
    };
    std::vector<std::unique_ptr<show_try>> shows;
    for (int n = 0; n < tries; ++n) {
      auto& one = *shows.emplace_back(std::make_unique<show_try>());
      one.output = config.file("stdout" + std::to_string(n) + ".txt");
      one.show = std::make_unique<child_process>(
          std::vector<std::string>{"/bin/sh", "-c", "exec '" BRISENFALL_BINARY "' --fps --mute > '" + one.output + "'"},
          std::map<std::string, std::string>{{"XDG_CONFIG_HOME", config.path().string()},
                                             {"XDG_RUNTIME_DIR", config.path().string()},
                                             {"DISPLAY", one.display.name()},
                                             {"SDL_AUDIODRIVER", "dummy"}});
    }
    int ended = 0;
    for (auto& one : shows) {
      for (int wait = 0; wait < 1200 && testing::read_file(one->output).find("FPS=") == std::string::npos; ++wait)
        std::this_thread::sleep_for(50ms);
      one->display.xdotool(xdotool_action);
      ended += one->show->wait_for_exit(testing::exit_limit) == 0 ? 1 : 0;
    }
    return ended;
  }

  // How long the show takes to end after `action`, recorded as a property of the test.
  // `press` acts; `release` (a key or button let go) follows once the show has ended or given up.
  void expect_ends_after(child_process& show, const std::function<void()>& press, const char* what,
                         const std::function<void()>& release = [] {}) {
    const auto start = std::chrono::steady_clock::now();
    press();
    const auto code = show.wait_for_exit(testing::exit_limit);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    release();
    EXPECT_EQ(code, 0) << what;
    RecordProperty(std::string(what) + "_ms", static_cast<int>(ms.count()));
  }

  temp_folder data;
  temp_folder config;
  testing::virtual_display display;
};

// What a screenshot of the show should hold: a scene (most pixels lit, many colours) and snow.
struct picture_check {
  int lit = 0, bright = 0;
  size_t colours = 0;
  bool scene_with_snow() const { return lit > 640 * 480 / 2 && colours > 100 && bright > 20; }
};

picture_check check_picture(const testing::pixel_image& picture) {
  picture_check check;
  std::set<uint32_t> colours;
  for (uint32_t argb : picture.argb) {
    const int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    check.lit += (r + g + b) > 60;
    check.bright += r > 230 && g > 230 && b > 230;
    colours.insert(argb & 0xF0F0F0);
  }
  check.colours = colours.size();
  return check;
}

TEST_F(show_e2e, p_saves_a_screenshot_of_a_scene_with_snow_and_escape_ends_the_show) {
  auto show = start_show();
  // On a busy machine frames come slower and the first fade takes longer: look again a little later.
  picture_check check;
  for (int shot = 1; shot <= 6 && !check.scene_with_snow(); ++shot) {
    display.xdotool("keydown p sleep 0.3 keyup p");
    const auto file = data.path() / ("screen" + std::to_string(shot) + ".bmp");
    for (int wait = 0; wait < 100 && !std::filesystem::exists(file); ++wait) std::this_thread::sleep_for(50ms);
    std::this_thread::sleep_for(300ms);
    const testing::pixel_image picture = testing::read_bmp24(file.string());
    ASSERT_EQ(picture.width, 640);
    ASSERT_EQ(picture.height, 480);
    check = check_picture(picture);
    if (!check.scene_with_snow()) std::this_thread::sleep_for(2s);
  }
  expect_ends_after(
      *show, [&] { display.xdotool("keydown Escape"); }, "escape", [&] { display.xdotool("keyup Escape"); });
  EXPECT_GT(check.lit, 640 * 480 / 2) << "the scene is not showing";
  EXPECT_GT(check.colours, 100u) << "a picture has many colours, not a flat fill";
  EXPECT_GT(check.bright, 20) << "no snowflake pixels";
}

// A tap or a click from an input tool sends the press and the release at once, both often between
// two frames: each must end the show all the same.
TEST_F(show_e2e, a_space_tap_ends_the_show_every_time) { EXPECT_EQ(shows_ended_by("key space", 10), 10); }

TEST_F(show_e2e, a_click_ends_the_show_every_time) { EXPECT_EQ(shows_ended_by("click 1", 10), 10); }

TEST_F(show_e2e, a_second_show_ends_at_once_while_the_first_runs) {
  auto first = start_show();
  child_process second({BRISENFALL_BINARY, "/s"}, {{"XDG_CONFIG_HOME", config.path().string()},
                                                   {"DISPLAY", display.name()}});
  EXPECT_EQ(second.wait_for_exit(testing::exit_limit), 0);
  EXPECT_FALSE(first->wait_for_exit(0ms).has_value());
}

TEST_F(show_e2e, sigterm_ends_the_show_cleanly) {
  auto show = start_show();
  expect_ends_after(*show, [&] { show->send_signal(SIGTERM); }, "sigterm");
}

}  // namespace
}  // namespace brisenfall
