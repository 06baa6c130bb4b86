// The real brisenfall binary under Xvfb, with its own settings folder. Started with each switch: the
// runs that end at once, the configuration window, the preview inside a host's window. And the show,
// in its own window and inside a host's window (a window of the test's own stands in for a settings
// panel's preview pane or for XScreenSaver's window): it draws a scene with snow, saves a screenshot
// on P, fills its host letterboxed at no more than the frame rate cap, ends on keys, the mouse,
// SIGTERM or the host's loss in order, and names faults in one line.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <thread>
#include <utility>

#include "support/child_process.h"
#include "support/host_window.h"
#include "support/temp_folder.h"
#include "support/test_files.h"
#include "support/virtual_display.h"

namespace brisenfall {
namespace {

using namespace std::chrono_literals;
using std::chrono::steady_clock;
using testing::child_process;
using testing::host_window;
using testing::wait_until;
using strings = std::vector<std::string>;

// The warm-up frames take 2.5 seconds, the first scene 2.5 more to fade in, and the snow a few more
// to spread; a loaded machine may take longer, so the picture is waited for up to the limit. The
// music starts five seconds after the first frame, a scene change with --scene-seconds 5 as well.
constexpr auto SHOW_SETTLED = 7s;
constexpr auto SHOW_SETTLED_LIMIT = 25s;
constexpr auto MOMENT_LIMIT = 40s;
constexpr auto END_LIMIT = testing::exit_limit + 5s;
constexpr int HOST_WIDTH = 320, HOST_HEIGHT = 240;
constexpr uint32_t HOST_BACKGROUND = 0xFFFFFF;  // a host window is white until the show draws; the warm-up is black

bool lit(uint32_t rgb) { return ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF) > 60; }

// The colours at the points of a grid over part of a host window, row by row.
std::vector<uint32_t> grid(const host_window& host, int left, int top, int right, int bottom, int step_x, int step_y) {
  std::vector<uint32_t> colours;
  for (int y = top; y < bottom; y += step_y)
    for (int x = left; x < right; x += step_x) colours.push_back(host.pixel(x, y));
  return colours;
}

size_t count_lit(const std::vector<uint32_t>& colours) {
  return static_cast<size_t>(std::count_if(colours.begin(), colours.end(), lit));
}

// How many points changed by more than `threshold` (the sum of the channels' differences).
int changed(const std::vector<uint32_t>& before, const std::vector<uint32_t>& after, int threshold) {
  int count = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    int difference = 0;
    for (int shift : {0, 8, 16})
      difference += std::abs(int((before[i] >> shift) & 0xFF) - int((after[i] >> shift) & 0xFF));
    count += difference > threshold;
  }
  return count;
}

// Waits until the show has filled a host window of this size with its picture: no point of a grid
// over it left as it was, and most of them lit.
void expect_filled(const host_window& host, int width, int height) {
  std::this_thread::sleep_for(SHOW_SETTLED);
  std::vector<uint32_t> points;
  const auto untouched = [&] { return std::count(points.begin(), points.end(), HOST_BACKGROUND); };
  wait_until(
      [&] {
        points = grid(host, 2, 2, width, height, width / 12, height / 12);
        return untouched() == 0 && count_lit(points) > points.size() * 3 / 4;
      },
      SHOW_SETTLED_LIMIT - SHOW_SETTLED);
  EXPECT_EQ(untouched(), 0) << "the picture leaves part of the window as it was";
  EXPECT_GT(count_lit(points), points.size() * 3 / 4) << "the scene does not fill the window";
}

// The program's folders (`data` starts empty, `config` is its XDG_CONFIG_HOME) and display.
class startup_e2e : public ::testing::Test {
 protected:
  // The program with these arguments on a display; its standard output and error kept in the files
  // `name`.out and `name`.err.
  std::unique_ptr<child_process> start(const strings& arguments, const std::map<std::string, std::string>& extra = {},
                                       const std::string& display_name = "", const std::string& name = "run") {
    std::string command = "exec '" BRISENFALL_BINARY "'";
    for (const std::string& argument : arguments) command += " '" + argument + "'";
    command += " > '" + config.file(name + ".out") + "' 2> '" + config.file(name + ".err") + "'";
    std::map<std::string, std::string> environment{{"XDG_CONFIG_HOME", config.path().string()},
                                                   {"XDG_RUNTIME_DIR", config.path().string()},
                                                   {"DISPLAY", display_name.empty() ? display.name() : display_name},
                                                   {"SDL_AUDIODRIVER", "dummy"}};
    for (const auto& [variable, value] : extra) environment[variable] = value;
    return std::make_unique<child_process>(strings{"/bin/sh", "-c", command}, environment);
  }
  // The exit code of a run that should end by itself.
  std::optional<int> run(const strings& arguments, const std::map<std::string, std::string>& extra = {}) {
    return start(arguments, extra)->wait_for_exit(testing::exit_limit);
  }
  std::filesystem::path settings_file() const { return config.path() / "brisenfall" / "Brisenfall Screensaver.yyz"; }
  std::string settings() const { return testing::read_file(settings_file()); }
  // The lines of a file the program wrote that begin with `prefix`.
  strings lines(const std::string& file, const std::string& prefix) const {
    std::ifstream text(config.file(file));
    strings found;
    for (std::string line; std::getline(text, line);)
      if (line.rfind(prefix, 0) == 0) found.push_back(line);
    return found;
  }
  // Whether a frame of the show itself ran (--fps prints the rate from the first frame on).
  bool show_frames_ran(const std::string& name = "run") const { return !lines(name + ".out", "FPS=").empty(); }
  // The program's own lines on stderr (libraries may add theirs).
  strings program_lines() const { return lines("run.err", "brisenfall:"); }
  // Waits until the statistics line has been printed eight times (the warm-up and five seconds of
  // the show's own frames), then checks the highest rate of the last five against the cap.
  void expect_frame_rate_at_most(child_process& show, int most, const std::function<void()>& end) {
    wait_until([&] { return lines("run.out", "FPS=").size() >= 8; }, SHOW_SETTLED_LIMIT);
    end();
    EXPECT_EQ(show.wait_for_exit(testing::exit_limit), 0);
    const strings rates = lines("run.out", "FPS=");
    ASSERT_GE(rates.size(), 8u) << "the statistics line was not printed once a second";
    int highest = 0;
    for (auto line = rates.end() - 5; line != rates.end(); ++line)
      highest = std::max(highest, std::stoi(line->substr(4)));
    EXPECT_LE(highest, most);
    EXPECT_GE(highest, most / 3) << "the show barely draws";
  }
  // Ends within the limit with one of these codes.
  void expect_ends(child_process& program, std::vector<int> codes, const std::string& name) {
    const auto code = program.wait_for_exit(END_LIMIT);
    ASSERT_TRUE(code.has_value()) << name << ": still running " << END_LIMIT.count() << " s later";
    EXPECT_NE(std::find(codes.begin(), codes.end(), *code), codes.end()) << name << ": exit status " << *code;
  }
  // Ends with status 0 within 200 ms of `end` (measured in the plain build only).
  void expect_ends_at_once(child_process& show, const std::function<void()>& end, const char* what) {
    const auto since = steady_clock::now();
    end();
    EXPECT_EQ(show.wait_for_exit(testing::exit_limit), 0) << what;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(steady_clock::now() - since).count();
    if (testing::exit_times_count) {
      EXPECT_LE(ms, 200) << "the show must end within 200 ms of " << what;
    }
  }

  testing::temp_folder data;
  testing::temp_folder config;
  testing::virtual_display display;
};

// The show's runs: `data` links to the installed files, and the settings store names it.
class show_e2e : public startup_e2e {
 protected:
  show_e2e() {
    for (const auto& entry : std::filesystem::directory_iterator(BRISENFALL_DATA_DIR))
      std::filesystem::create_symlink(entry.path(), data.path() / entry.path().filename());
    testing::write_install_path(config, data.data_path());
  }
};

constexpr uint32_t PICTURE_COLOUR = 0xC8285A;

// A 150 x 112 bitmap of 256 colours, every pixel palette entry 1.
std::string preview_bitmap() {
  const uint32_t width = 150, height = 112, row = 152, pixels_at = 14 + 40 + 1024;
  std::string bytes = "BM";
  const auto put = [&bytes](uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  for (const uint32_t field : {pixels_at + row * height, 0u, pixels_at, 40u, width, height}) put(field, 4);
  put(1, 2), put(8, 2);  // one plane, 8 bits a pixel
  for (const uint32_t field : {0u, 0u, 3780u, 3780u, 256u, 0u}) put(field, 4);
  for (uint32_t entry = 0; entry < 256; ++entry) put(entry == 1 ? PICTURE_COLOUR : 0, 4);  // blue, green, red, 0
  for (uint32_t y = 0; y < height; ++y) bytes.append(width, '\1').append(row - width, '\0');
  return bytes;
}

// The password switch and unknown switches need no display; malformed options are refused with
// status 2; a preview of host 0 or of no window ends by itself. None writes the settings file.
TEST_F(startup_e2e, runs_that_end_at_once_without_a_window) {
  for (const char* command_line : {"/a", "/x"}) EXPECT_EQ(run({command_line}, {{"DISPLAY", ""}}), 0) << command_line;
  EXPECT_FALSE(std::filesystem::exists(config.path() / "brisenfall"));
  testing::write_install_path(config, data.path().string());
  for (const strings& options : {strings{"--window-id"}, {"--window-id", "0xZZ"}, {"--snow", "-4"}, {"--snow", "99999"},
                                 {"-frobnicate"}, {"--renderer", "vulkan"}, {"--max-fps", "5"}})
    EXPECT_EQ(run(options), 2) << options.front();
  for (const char* host : {"0", "12345", ""}) EXPECT_EQ(run({"/p", host}), 0) << host;
  EXPECT_FALSE(std::filesystem::exists(settings_file()));
}

// Without an install path the message box comes and nothing is written; with one the settings file
// is written and the window opens with a client area of 500 x 367.
TEST_F(startup_e2e, configuration_shows_the_missing_install_path_message_or_writes_the_settings_and_opens) {
  auto configuration = start({"/c"});
  const unsigned long box = display.wait_for_window("Install Path Not Found", 10s);
  ASSERT_NE(box, 0u);
  display.xdotool("windowfocus --sync " + std::to_string(box) + " key Return");
  EXPECT_EQ(configuration->wait_for_exit(testing::exit_limit), 0);
  EXPECT_FALSE(std::filesystem::exists(settings_file()));
  testing::write_install_path(config, "/srv/brisenfall/data");
  configuration = start({"/c"});
  const unsigned long window = display.wait_for_window("Brisenfall Screensaver - Configuration", 10s);
  ASSERT_NE(window, 0u);
  EXPECT_NE(display.xdotool("getwindowgeometry " + std::to_string(window)).find("Geometry: 500x367"),
            std::string::npos);
  const std::string written = settings();
  EXPECT_EQ(written.substr(0, 23), "/srv/brisenfall/data/\r\n");
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 108);
}

// The picture sits at the top-left of the host and covers the rest of the client area; the preview
// ends on a close request, and when its host is destroyed.
TEST_F(startup_e2e, a_preview_shows_the_picture_in_its_host_and_ends_on_a_close_request_or_the_hosts_loss) {
  testing::write_install_path(config, data.path().string());
  testing::write_file(data.path() / "preview.bmp", preview_bitmap());
  for (const bool close_request : {true, false}) {
    host_window host(display.name(), 152, 112);
    auto preview = start({"/p", std::to_string(host.id())});
    unsigned long picture = 0;
    ASSERT_TRUE(wait_until([&] { return (picture = host.mapped_child()) != 0; }, 10s, 10ms));
    if (close_request) {
      std::this_thread::sleep_for(300ms);
      EXPECT_EQ(host.pixel(5, 5), PICTURE_COLOUR);
      EXPECT_EQ(host.pixel(149, 111), PICTURE_COLOUR);
      EXPECT_EQ(host.pixel(151, 50), 0x000000u);
      host.send_delete_window(picture);
    } else {
      host.destroy();
    }
    EXPECT_EQ(preview->wait_for_exit(testing::exit_limit), 0) << close_request;
    if (close_request) {
      EXPECT_EQ(host.mapped_child(), 0u);
    }
  }
}

// While a show runs a second one ends at once; P (held for a third of a second) saves a screenshot
// of a scene with snow; Escape, held until the show has ended, ends it.
TEST_F(show_e2e, a_second_show_ends_at_once_p_saves_a_screenshot_of_a_scene_with_snow_and_escape_ends_the_show) {
  auto show = start({"/s"});
  ASSERT_NE(display.wait_for_window("Screensaver Form", 20s), 0u) << "no show window";
  EXPECT_EQ(start({"/s"}, {}, "", "second")->wait_for_exit(testing::exit_limit), 0) << "a second show";
  EXPECT_FALSE(show->wait_for_exit(0ms).has_value());
  std::this_thread::sleep_for(SHOW_SETTLED);
  // A scene (most pixels lit, many colours) with snow (white pixels). On a busy machine frames come
  // slower and the first fade takes longer: look again a little later.
  size_t lit_pixels = 0, bright = 0;
  std::set<uint32_t> colours;
  for (int shot = 1; shot <= 6 && !(lit_pixels > 640 * 480 / 2 && colours.size() > 100 && bright > 20); ++shot) {
    if (shot > 1) std::this_thread::sleep_for(2s);
    display.xdotool("keydown p sleep 0.3 keyup p");
    const auto file = data.path() / ("screen" + std::to_string(shot) + ".bmp");
    wait_until([&] { return std::filesystem::exists(file); }, 5s);
    std::this_thread::sleep_for(300ms);
    const testing::pixel_image picture = testing::read_bmp24(file.string());
    ASSERT_EQ(picture.width, 640);
    ASSERT_EQ(picture.height, 480);
    lit_pixels = bright = 0;
    colours.clear();
    for (uint32_t argb : picture.argb) {
      lit_pixels += lit(argb);
      bright += std::min({(argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF}) > 230;
      colours.insert(argb & 0xF0F0F0);
    }
  }
  display.xdotool("keydown Escape");
  EXPECT_EQ(show->wait_for_exit(testing::exit_limit), 0) << "escape";
  display.xdotool("keyup Escape");
  EXPECT_GT(lit_pixels, 640u * 480 / 2) << "the scene is not showing";
  EXPECT_GT(colours.size(), 100u) << "a picture has many colours, not a flat fill";
  EXPECT_GT(bright, 20u) << "no snowflake pixels";
}

// A tap or a click from an input tool sends the press and the release at once, both often between
// two frames: each must end the show all the same, every time. Ten shows run at once, each on a
// display of its own, and each is sent the action as soon as it prints its first statistics line, at
// its first frame. SIGTERM ends the show cleanly as well.
TEST_F(show_e2e, a_space_tap_or_a_click_ends_the_show_every_time_and_sigterm_ends_it_cleanly) {
  struct action {
    std::string name;  // for xdotool, or "sigterm"
    int shows;
  };
  for (const action& act : {action{"key space", 10}, action{"click 1", 10}, action{"sigterm", 1}}) {
    std::vector<std::unique_ptr<testing::virtual_display>> displays;
    std::vector<std::unique_ptr<child_process>> shows;
    for (int n = 0; n < act.shows; ++n) {
      displays.push_back(std::make_unique<testing::virtual_display>());
      shows.push_back(start({"--fps", "--mute"}, {}, displays.back()->name(), act.name + std::to_string(n)));
    }
    int ended = 0;
    for (size_t n = 0; n < shows.size(); ++n) {
      wait_until([&] { return show_frames_ran(act.name + std::to_string(n)); }, 60s);
      if (act.name == "sigterm") shows[n]->send_signal(SIGTERM);
      else displays[n]->xdotool(act.name);
      ended += shows[n]->wait_for_exit(testing::exit_limit) == 0;
    }
    EXPECT_EQ(ended, act.shows) << act.name;
  }
}

// In a pane of 200 x 150 the show draws into the pane itself, at no more than the refresh rate
// (Xvfb reports none, so the cap is 60; one frame more fits a counting second's edges), and ends at
// once when the pane is destroyed.
TEST_F(show_e2e, a_preview_pane_is_filled_at_the_refresh_rate_and_its_destruction_ends_the_show_at_once) {
  host_window host(display.name(), 200, 150);
  auto show = start({"--window-id", std::to_string(host.id()), "--fps", "--mute"});
  expect_filled(host, 200, 150);
  ASSERT_FALSE(show->wait_for_exit(0ms).has_value());
  EXPECT_EQ(host.mapped_child(), 0u) << "the show draws into the pane itself, with no window of its own";
  expect_frame_rate_at_most(*show, 61, [&] { expect_ends_at_once(*show, [&] { host.destroy(); }, "destroy"); });
}

// Single-dash options; a lower cap asked for holds as well.
TEST_F(show_e2e, at_800_by_600_the_picture_fills_the_window_and_follows_a_resize_letterboxed) {
  host_window host(display.name(), 800, 600);
  auto show = start({"-window-id", host.hex_id(), "-snow", "1300", "-max-fps", "20", "-fps"});
  expect_filled(host, 800, 600);

  // 800 x 400 holds a 533 x 400 picture in the middle, with black bars of 133 pixels on each side.
  host.resize(800, 400);
  std::this_thread::sleep_for(1s);
  for (const int y : {20, 200, 380}) {
    EXPECT_EQ(host.pixel(30, y), 0u) << "left bar at y " << y;
    EXPECT_EQ(host.pixel(770, y), 0u) << "right bar at y " << y;
  }
  EXPECT_GT(count_lit(grid(host, 150, 20, 650, 400, 50, 60)), 50u) << "no picture in the middle after the resize";
  expect_frame_rate_at_most(*show, 21, [&] { show->send_signal(SIGTERM); });
}

// On both display paths: the picture drawn on the CPU and shown as an image of the window, and OpenGL.
TEST_F(show_e2e, root_with_xscreensaver_window_draws_scene_and_snow_only_there_and_sigterm_ends_it_at_once) {
  for (const std::string renderer : {"software", "gl"}) {
    SCOPED_TRACE(renderer);
    host_window host(display.name(), HOST_WIDTH, HOST_HEIGHT);
    const int top_level_before = host.mapped_top_level_windows();
    const uint32_t outside_before = host.screen_pixel(600, 500);
    auto show = start({"--root", "--snow", "500", "--mute", "--renderer", renderer},
                      {{"XSCREENSAVER_WINDOW", host.hex_id()}});
    expect_filled(host, HOST_WIDTH, HOST_HEIGHT);
    const std::string settings_before = settings();
    ASSERT_FALSE(settings_before.empty());
    EXPECT_EQ(host.screen_pixel(600, 500), outside_before) << "the show drew outside the daemon's window";
    EXPECT_EQ(host.mapped_top_level_windows(), top_level_before) << "the show mapped a window of its own";
    // The scene holds still between two looks a moment apart; the snow over it does not.
    const std::vector<uint32_t> first = grid(host, 0, 0, HOST_WIDTH, HOST_HEIGHT, 4, 4);
    std::this_thread::sleep_for(200ms);
    EXPECT_GT(changed(first, grid(host, 0, 0, HOST_WIDTH, HOST_HEIGHT, 4, 4), 0), 5) << "no snow falls";

    display.xdotool("mousemove 100 100 sleep 0.1 mousemove 150 150 keydown Escape sleep 0.1 keyup Escape");
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(show->wait_for_exit(0ms).has_value()) << "keys and the mouse must not end a hosted show";
    expect_ends_at_once(*show, [&] { show->send_signal(SIGTERM); }, "sigterm");
    EXPECT_EQ(host.mapped_top_level_windows(), top_level_before) << "the show unmapped the daemon's window";
    EXPECT_EQ(settings(), settings_before) << "the options for one run reached the settings file";
  }
}

bool warm_up_seen(const host_window& host) { return host.pixel(HOST_WIDTH / 2, HOST_HEIGHT / 2) == 0; }

// The first scene has faded in and stands still; then most of the picture starts to change.
bool cross_fade_seen(const host_window& host) {
  // Points of the picture away from the statistics line at the top left.
  const auto picture = [&host] { return grid(host, 20, 70, HOST_WIDTH, HOST_HEIGHT, 75, 50); };
  std::vector<uint32_t> still = picture();
  const auto settled = [&] {
    std::this_thread::sleep_for(500ms);
    const std::vector<uint32_t> now = picture();
    const bool scene =
        std::none_of(now.begin(), now.end(), [](uint32_t rgb) { return rgb == 0 || rgb == HOST_BACKGROUND; });
    const bool same = changed(std::exchange(still, now), now, 30) <= 1;
    return scene && same;
  };
  return wait_until(settled, MOMENT_LIMIT) &&
         wait_until([&] { return changed(still, picture(), 30) > static_cast<int>(still.size()) / 2; }, 20s);
}

// SIGTERM at three moments of a show in XScreenSaver's window: the program ends within seconds, in
// order, with status 0, leaves the settings file as it was, and says so in exactly one line.
TEST_F(show_e2e, sigterm_during_the_warm_up_a_cross_fade_or_the_music_start_ends_the_show_in_order) {
  struct moment {
    const char* name;
    strings arguments;
    std::function<bool(const host_window&)> reached;
    bool show_frames;  // whether the show's own frames had begun
  };
  const std::string audio = config.file("audio.raw");
  // The disk audio driver writes the output to a file as it plays: music has begun at the first sound.
  const auto music_heard = [&audio](const host_window&) {
    size_t read = 0;
    return wait_until(
        [&] {
          const std::string bytes = testing::read_file(audio);
          return bytes.find_first_not_of('\0', std::exchange(read, bytes.size())) != std::string::npos;
        },
        MOMENT_LIMIT);
  };
  const moment moments[] = {
      {"warm_up",
       {"--root", "--fps", "--mute"},
       [](const host_window& host) { return wait_until([&] { return warm_up_seen(host); }, MOMENT_LIMIT); },
       false},
      {"cross_fade", {"--root", "--fps", "--mute", "--scene-seconds", "5", "--snow", "100"}, cross_fade_seen, true},
      {"music_start", {"--root", "--fps", "--music"}, music_heard, true},
  };
  for (const moment& at : moments) {
    host_window host(display.name(), HOST_WIDTH, HOST_HEIGHT);
    auto show = start(at.arguments, {{"XSCREENSAVER_WINDOW", host.hex_id()},
                                     {"SDL_AUDIODRIVER", "disk"},
                                     {"SDL_DISKAUDIOFILE", audio}});
    ASSERT_TRUE(at.reached(host)) << at.name << ": the moment never came";
    const std::string settings_before = settings();
    show->send_signal(SIGTERM);
    expect_ends(*show, {0}, at.name);
    EXPECT_EQ(program_lines(), strings{"brisenfall: SIGTERM received; the show has ended"}) << at.name;
    EXPECT_EQ(show_frames_ran(), at.show_frames) << at.name;
    EXPECT_FALSE(settings_before.empty());
    EXPECT_EQ(settings(), settings_before) << at.name;
  }
}

TEST_F(show_e2e, a_host_window_destroyed_before_the_first_frame_ends_the_program_with_one_line) {
  struct host_loss {
    const char* name;
    bool preview;            // /p ID, else --window-id ID
    bool at_once;            // right after the start, else once the warm-up paints the window black
    std::vector<int> codes;  // at once, the window may be gone before the program could open it
  };
  const host_loss losses[] = {
      {"preview_at_once", true, true, {0}},
      {"window_id_at_once", false, true, {0, 1}},
      {"window_id_in_the_warm_up", false, false, {0}},
  };
  for (const host_loss& loss : losses) {
    host_window host(display.name(), HOST_WIDTH, HOST_HEIGHT);
    const std::string id = loss.preview ? std::to_string(host.id()) : host.hex_id();
    auto program = start(loss.preview ? strings{"/p", id} : strings{"--window-id", id, "--fps", "--mute"});
    if (!loss.at_once) {
      ASSERT_TRUE(wait_until([&] { return warm_up_seen(host); }, MOMENT_LIMIT)) << loss.name;
    }
    host.destroy();
    expect_ends(*program, loss.codes, loss.name);
    const strings lines = program_lines();
    ASSERT_EQ(lines.size(), 1u) << loss.name;
    EXPECT_NE(lines[0].find("window " + id + " "), std::string::npos) << lines[0];
    EXPECT_FALSE(show_frames_ran()) << loss.name;
  }
}

// In a host's window nobody can answer a message box: the message is one line on stderr, the
// program ends at once with status 1, and no window of its own ever appears beside the host. The
// show's own message box closes on SIGTERM, and the program ends as on a signal in the show.
TEST_F(show_e2e, a_missing_picture_is_one_line_and_exit_1_in_a_host_and_its_box_closes_on_sigterm_in_a_show) {
  std::filesystem::remove(data.path() / "f3.jpg");
  {
    host_window host(display.name(), HOST_WIDTH, HOST_HEIGHT);
    const int windows_before = host.mapped_top_level_windows();
    auto show = start({"--root"}, {{"XSCREENSAVER_WINDOW", host.hex_id()}});
    int most_windows = windows_before;
    std::optional<int> code;
    const auto deadline = steady_clock::now() + END_LIMIT;
    while (!(code = show->wait_for_exit(10ms)) && steady_clock::now() < deadline)
      most_windows = std::max(most_windows, host.mapped_top_level_windows());
    ASSERT_TRUE(code.has_value()) << "still running; windows: " << most_windows;
    EXPECT_EQ(*code, 1);
    EXPECT_EQ(most_windows, windows_before);
    EXPECT_EQ(program_lines(), strings{"brisenfall: Screensaver: The show cannot start: these files are missing "
                                       "from its data folder " + data.data_path() + ": f3.jpg."});
  }
  auto show = start({"/s"});
  ASSERT_NE(display.wait_for_window("Screensaver", MOMENT_LIMIT), 0u) << "no message box";
  show->send_signal(SIGTERM);
  expect_ends(*show, {1}, "sigterm in the box");
  EXPECT_EQ(program_lines(), strings{"brisenfall: SIGTERM received; the show has ended"});
}

}  // namespace
}  // namespace brisenfall
