// The real show inside a host's window under Xvfb: a window of the test's own stands in for a
// settings panel's preview pane or for XScreenSaver's window. The picture fills it letterboxed and
// follows its resizes; destroying it or SIGTERM ends the show in order; the frame rate stays at or
// below the refresh rate.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/child_process.h"
#include "support/host_window.h"
#include "support/temp_folder.h"
#include "support/test_files.h"
#include "support/virtual_display.h"

namespace brisenfall {
namespace {

using namespace std::chrono_literals;
using testing::child_process;
using testing::host_window;
using testing::temp_folder;

// Warm-up frames, then the first scene's fade-in (see the show's own end-to-end tests); a loaded
// machine may take longer, so the picture is waited for up to the limit.
constexpr auto SHOW_SETTLED = 7s;
constexpr auto SHOW_SETTLED_LIMIT = 25s;
constexpr uint32_t HOST_BACKGROUND = 0xFFFFFF;  // the host window is white until the show draws

bool lit(uint32_t rgb) { return ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF) > 60; }

class hosts_e2e : public ::testing::Test {
 protected:
  hosts_e2e() { testing::make_show_folders(BRISENFALL_DATA_DIR, data, config); }

  std::map<std::string, std::string> environment(const std::map<std::string, std::string>& extra = {}) const {
    std::map<std::string, std::string> variables{{"XDG_CONFIG_HOME", config.path().string()},
                                                 {"XDG_RUNTIME_DIR", config.path().string()},
                                                 {"DISPLAY", display.name()},
                                                 {"SDL_AUDIODRIVER", "dummy"}};
    variables.insert(extra.begin(), extra.end());
    return variables;
  }

  // The show with these options, its standard output kept in a file.
  std::unique_ptr<child_process> start(const std::vector<std::string>& options,
                                       const std::map<std::string, std::string>& extra = {}) {
    std::string command = "exec '" + std::string(BRISENFALL_BINARY) + "'";
    for (const std::string& option : options) command += " '" + option + "'";
    command += " > '" + output_file().string() + "'";
    return std::make_unique<child_process>(std::vector<std::string>{"/bin/sh", "-c", command}, environment(extra));
  }

  std::filesystem::path output_file() const { return config.path() / "stdout.txt"; }

  // The rates of the statistics lines (`FPS=N`) printed so far.
  std::vector<int> frame_rates() const {
    std::ifstream output(output_file());
    std::vector<int> rates;
    for (std::string line; std::getline(output, line);)
      if (line.rfind("FPS=", 0) == 0) rates.push_back(std::stoi(line.substr(4)));
    return rates;
  }

  // Pixels of a grid over the window: how many the show left untouched, and how many are lit.
  struct coverage {
    int untouched = 0, lit = 0, samples = 0;
  };
  static coverage sample(const host_window& host, int width, int height) {
    coverage result;
    for (int y = 2; y < height; y += height / 12)
      for (int x = 2; x < width; x += width / 12) {
        const uint32_t rgb = host.pixel(x, y);
        result.untouched += rgb == HOST_BACKGROUND;
        result.lit += lit(rgb);
        ++result.samples;
      }
    return result;
  }

  // Waits until the show has filled the window with its picture, and a little more; the coverage.
  static coverage wait_until_drawn(const host_window& host, int width, int height) {
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(SHOW_SETTLED);
    coverage drawn = sample(host, width, height);
    while ((drawn.untouched != 0 || drawn.lit <= drawn.samples * 3 / 4) &&
           std::chrono::steady_clock::now() - start < SHOW_SETTLED_LIMIT) {
      std::this_thread::sleep_for(250ms);
      drawn = sample(host, width, height);
    }
    return drawn;
  }

  temp_folder data;
  temp_folder config;
  testing::virtual_display display;
};

TEST_F(hosts_e2e, a_preview_pane_of_200_by_150_is_filled_and_its_destruction_ends_the_show_at_once) {
  host_window host(display.name(), 200, 150);
  auto show = start({"--window-id", std::to_string(host.id())});
  const coverage drawn = wait_until_drawn(host, 200, 150);
  ASSERT_FALSE(show->wait_for_exit(0ms).has_value());
  EXPECT_EQ(drawn.untouched, 0) << "the picture leaves part of the pane as it was";
  EXPECT_GT(drawn.lit, drawn.samples * 3 / 4) << "the scene does not fill the pane";
  EXPECT_EQ(host.mapped_child(), 0u) << "the show draws into the pane itself, with no window of its own";

  const auto start_time = std::chrono::steady_clock::now();
  host.destroy();
  EXPECT_EQ(show->wait_for_exit(testing::exit_limit), 0);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_time).count();
  RecordProperty("end_after_destroy_ms", static_cast<int>(ms));
  if (testing::exit_times_count) {
    EXPECT_LE(ms, 200) << "the show must end within 200 ms of losing its window";
  }
}

TEST_F(hosts_e2e, at_800_by_600_the_picture_fills_the_window_and_follows_a_resize_letterboxed) {
  host_window host(display.name(), 800, 600);
  auto show = start({"-window-id", host.hex_id(), "-snow", "1300"});
  const coverage full = wait_until_drawn(host, 800, 600);
  EXPECT_EQ(full.untouched, 0);
  EXPECT_GT(full.lit, full.samples * 3 / 4);

  // 800 x 400 holds a 533 x 400 picture in the middle, with black bars of 133 pixels on each side.
  host.resize(800, 400);
  std::this_thread::sleep_for(1s);
  for (const int y : {20, 200, 380}) {
    EXPECT_EQ(host.pixel(30, y), 0u) << "left bar at y " << y;
    EXPECT_EQ(host.pixel(770, y), 0u) << "right bar at y " << y;
  }
  int picture_lit = 0;
  for (int x = 150; x < 650; x += 50)
    for (int y = 20; y < 400; y += 60) picture_lit += lit(host.pixel(x, y));
  EXPECT_GT(picture_lit, 50) << "the picture is not in the middle after the resize";
  show->send_signal(SIGTERM);
  EXPECT_EQ(show->wait_for_exit(testing::exit_limit), 0);
}

// On both display paths: the picture drawn on the CPU and shown as an image of the window, and OpenGL.
TEST_F(hosts_e2e, root_with_xscreensaver_window_draws_scene_and_snow_only_there_and_sigterm_ends_it_at_once) {
  for (const std::string renderer : {"software", "gl"}) {
    SCOPED_TRACE(renderer);
    host_window host(display.name(), 320, 240);
    const int top_level_before = host.mapped_top_level_windows();
    const uint32_t outside_before = host.screen_pixel(600, 500);
    auto show = start({"--root", "--snow", "500", "--mute", "--renderer", renderer},
                      {{"XSCREENSAVER_WINDOW", host.hex_id()}});
    const coverage drawn = wait_until_drawn(host, 320, 240);
    const auto settings = config.path() / "brisenfall" / "Brisenfall Screensaver.yyz";
    ASSERT_TRUE(std::filesystem::exists(settings));
    const std::string settings_before = testing::read_file(settings);

    EXPECT_EQ(drawn.untouched, 0);
    EXPECT_GT(drawn.lit, drawn.samples * 3 / 4);
    EXPECT_EQ(host.screen_pixel(600, 500), outside_before) << "the show drew outside the daemon's window";
    EXPECT_EQ(host.mapped_top_level_windows(), top_level_before) << "the show mapped a window of its own";
    // The scene holds still between two looks a moment apart; the snow over it does not.
    std::vector<uint32_t> first;
    for (int y = 0; y < 240; y += 4)
      for (int x = 0; x < 320; x += 4) first.push_back(host.pixel(x, y));
    std::this_thread::sleep_for(200ms);
    int moved = 0;
    for (int y = 0, i = 0; y < 240; y += 4)
      for (int x = 0; x < 320; x += 4) moved += host.pixel(x, y) != first[static_cast<size_t>(i++)];
    EXPECT_GT(moved, 5) << "no snow falls";

    display.xdotool("mousemove 100 100 sleep 0.1 mousemove 150 150 keydown Escape sleep 0.1 keyup Escape");
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(show->wait_for_exit(0ms).has_value()) << "keys and the mouse must not end a hosted show";

    const auto signalled = std::chrono::steady_clock::now();
    show->send_signal(SIGTERM);
    EXPECT_EQ(show->wait_for_exit(testing::exit_limit), 0);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - signalled).count();
    if (testing::exit_times_count) {
      EXPECT_LE(ms, 200) << "the show must end within 200 ms of SIGTERM";
    }
    EXPECT_EQ(host.mapped_top_level_windows(), top_level_before) << "the show unmapped the daemon's window";
    EXPECT_EQ(testing::read_file(settings), settings_before) << "the options for one run reached the settings file";
  }
}

TEST_F(hosts_e2e, the_frame_rate_stays_at_or_below_the_refresh_rate_or_the_lower_cap_asked_for) {
  // Xvfb reports no refresh rate, so the cap is 60; one frame more fits a counting second's edges.
  struct cap {
    std::vector<std::string> options;
    int most;
  };
  for (const cap& c : {cap{{}, 61}, cap{{"--max-fps", "20"}, 21}}) {
    SCOPED_TRACE(c.most);
    host_window host(display.name(), 200, 150);
    std::vector<std::string> options{"--window-id", std::to_string(host.id()), "--fps", "--mute"};
    options.insert(options.end(), c.options.begin(), c.options.end());
    auto show = start(options);
    const auto started = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(SHOW_SETTLED + 5s);
    // A loaded machine or a sanitized build starts slower: the lines are waited for up to a limit.
    while (frame_rates().size() < 8 && std::chrono::steady_clock::now() - started < SHOW_SETTLED_LIMIT)
      std::this_thread::sleep_for(250ms);
    show->send_signal(SIGTERM);
    EXPECT_EQ(show->wait_for_exit(testing::exit_limit), 0);
    const std::vector<int> rates = frame_rates();
    ASSERT_GE(rates.size(), 8u) << "the statistics line was not printed once a second";
    // The first seconds are the warm-up frames; the show's own frames are the last five.
    int highest = 0;
    for (size_t i = rates.size() - 5; i < rates.size(); ++i) highest = std::max(highest, rates[i]);
    RecordProperty("highest_fps", highest);
    EXPECT_LE(highest, c.most);
    EXPECT_GE(highest, c.most / 3) << "the show barely draws";
  }
}

TEST_F(hosts_e2e, malformed_options_are_refused_without_a_window) {
  for (const std::vector<std::string>& options :
       {std::vector<std::string>{"--window-id"}, {"--window-id", "0xZZ"}, {"--snow", "-4"}, {"--snow", "99999"},
        {"-frobnicate"}, {"--renderer", "vulkan"}, {"--max-fps", "5"}}) {
    auto run = start(options);
    EXPECT_EQ(run->wait_for_exit(testing::exit_limit), 2) << options.front();
  }
  EXPECT_FALSE(std::filesystem::exists(config.path() / "brisenfall" / "Brisenfall Screensaver.yyz"))
      << "a refused run wrote the settings file";
}

}  // namespace
}  // namespace brisenfall
