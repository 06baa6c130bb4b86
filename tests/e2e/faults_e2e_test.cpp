// The real show under Xvfb with faults from outside: SIGTERM at three moments of a show in
// XScreenSaver's window (a window of the test's own), the host window destroyed before the first
// frame, a missing picture in a host's window, and SIGTERM while the show's message box is open.
// Every time the program ends within seconds, in order, with a sensible exit status, leaves the
// settings file as it was, and names what happened in exactly one line on stderr.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <thread>

#include "support/child_process.h"
#include "support/host_window.h"
#include "support/temp_folder.h"
#include "support/virtual_display.h"

namespace brisenfall {
namespace {

using namespace std::chrono_literals;
using testing::child_process;
using testing::host_window;
using testing::temp_folder;

// Start-up, warm-up and loading take seconds on a busy machine; the music starts five seconds
// after the first frame, a scene change with --scene-seconds 5 as well.
constexpr auto MOMENT_LIMIT = 40s;
constexpr auto END_LIMIT = testing::exit_limit + 5s;
constexpr int HOST_WIDTH = 320, HOST_HEIGHT = 240;
constexpr uint32_t HOST_BACKGROUND = 0xFFFFFF;  // white until the show draws; the warm-up is black

bool wait_until(const std::function<bool()>& reached, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!reached()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(40ms);
  }
  return true;
}

class faults_e2e : public ::testing::Test {
 protected:
  faults_e2e() { testing::make_show_folders(BRISENFALL_DATA_DIR, data, config); }

  // The program with these arguments; standard output and error kept in files.
  std::unique_ptr<child_process> start(const std::vector<std::string>& arguments,
                                       const std::map<std::string, std::string>& extra = {}) {
    std::string command = "exec '" + std::string(BRISENFALL_BINARY) + "'";
    for (const std::string& argument : arguments) command += " '" + argument + "'";
    command += " > '" + file("stdout.txt") + "' 2> '" + file("stderr.txt") + "'";
    std::map<std::string, std::string> environment{{"XDG_CONFIG_HOME", config.path().string()},
                                                   {"XDG_RUNTIME_DIR", config.path().string()},
                                                   {"DISPLAY", display.name()},
                                                   {"SDL_AUDIODRIVER", "dummy"}};
    for (const auto& [name, value] : extra) environment[name] = value;
    return std::make_unique<child_process>(std::vector<std::string>{"/bin/sh", "-c", command}, environment);
  }

  std::string file(const char* name) const { return (config.path() / name).string(); }
  std::string settings() const {
    return testing::read_file(config.path() / "brisenfall" / "Brisenfall Screensaver.yyz");
  }

  // The program's own lines on stderr (libraries may add theirs).
  std::vector<std::string> program_lines() const {
    std::ifstream text(file("stderr.txt"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
      if (line.rfind("brisenfall:", 0) == 0) lines.push_back(line);
    return lines;
  }

  // Whether a frame of the show itself ran (--fps prints the rate from the first frame on).
  bool show_frames_ran() const { return testing::read_file(file("stdout.txt")).find("FPS=") != std::string::npos; }

  // Ends within the limit with one of these codes; how long it took is a property of the test.
  void expect_ends(child_process& program, std::chrono::steady_clock::time_point since, std::vector<int> codes,
                   const std::string& name) {
    const auto code = program.wait_for_exit(END_LIMIT);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - since);
    RecordProperty(name + "_end_ms", static_cast<int>(ms.count()));
    ASSERT_TRUE(code.has_value()) << name << ": still running " << END_LIMIT.count() << " s later";
    EXPECT_NE(std::find(codes.begin(), codes.end(), *code), codes.end()) << name << ": exit status " << *code;
  }

  temp_folder data;
  temp_folder config;
  testing::virtual_display display;
};

// Points of the picture away from the statistics line at the top left.
std::vector<uint32_t> picture_samples(const host_window& host) {
  std::vector<uint32_t> samples;
  for (int y = 70; y < HOST_HEIGHT; y += 50)
    for (int x = 20; x < HOST_WIDTH; x += 75) samples.push_back(host.pixel(x, y));
  return samples;
}

int changed(const std::vector<uint32_t>& before, const std::vector<uint32_t>& after) {
  int count = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    int difference = 0;
    for (int shift : {0, 8, 16})
      difference += std::abs(int((before[i] >> shift) & 0xFF) - int((after[i] >> shift) & 0xFF));
    count += difference > 30;
  }
  return count;
}

bool warm_up_seen(const host_window& host) { return host.pixel(HOST_WIDTH / 2, HOST_HEIGHT / 2) == 0; }

// The first scene has faded in and stands still; then most of the picture starts to change.
bool cross_fade_seen(const host_window& host) {
  std::vector<uint32_t> still = picture_samples(host);
  const bool settled = wait_until(
      [&] {
        std::this_thread::sleep_for(500ms);
        std::vector<uint32_t> now = picture_samples(host);
        const bool scene =
            std::none_of(now.begin(), now.end(), [](uint32_t rgb) { return rgb == 0 || rgb == HOST_BACKGROUND; });
        const bool same = changed(still, now) <= 1;
        still = std::move(now);
        return scene && same;
      },
      MOMENT_LIMIT);
  return settled &&
         wait_until([&] { return changed(still, picture_samples(host)) > static_cast<int>(still.size()) / 2; }, 20s);
}

// The disk audio driver writes the output to a file as it plays: music has begun at the first sound.
bool music_heard(const std::string& audio_file) {
  size_t read = 0;
  return wait_until(
      [&] {
        const std::string bytes = testing::read_file(audio_file);
        const bool sound = bytes.find_first_not_of('\0', read) != std::string::npos;
        read = bytes.size();
        return sound;
      },
      MOMENT_LIMIT);
}

TEST_F(faults_e2e, sigterm_during_the_warm_up_a_cross_fade_or_the_music_start_ends_the_show_in_order) {
  struct moment {
    const char* name;
    std::vector<std::string> options;
    std::function<bool(const host_window&)> reached;
    bool show_frames;  // whether the show's own frames had begun
  };
  const std::string audio = file("audio.raw");
  const moment moments[] = {
      {"warm_up",
       {"--mute"},
       [](const host_window& host) { return wait_until([&] { return warm_up_seen(host); }, MOMENT_LIMIT); },
       false},
      {"cross_fade", {"--mute", "--scene-seconds", "5", "--snow", "100"}, cross_fade_seen, true},
      {"music_start", {"--music"}, [&audio](const host_window&) { return music_heard(audio); }, true},
  };
  for (const moment& at : moments) {
    host_window host(display.name(), HOST_WIDTH, HOST_HEIGHT);
    std::vector<std::string> arguments{"--root", "--fps"};
    arguments.insert(arguments.end(), at.options.begin(), at.options.end());
    auto show =
        start(arguments,
              {{"XSCREENSAVER_WINDOW", host.hex_id()}, {"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", audio}});
    ASSERT_TRUE(at.reached(host)) << at.name << ": the moment never came";
    const std::string settings_before = settings();
    const auto signalled = std::chrono::steady_clock::now();
    show->send_signal(SIGTERM);
    expect_ends(*show, signalled, {0}, at.name);
    EXPECT_EQ(program_lines(), std::vector<std::string>{"brisenfall: SIGTERM received; the show has ended"}) << at.name;
    EXPECT_EQ(show_frames_ran(), at.show_frames) << at.name;
    EXPECT_FALSE(settings_before.empty());
    EXPECT_EQ(settings(), settings_before) << at.name;
  }
}

TEST_F(faults_e2e, a_host_window_destroyed_before_the_first_frame_ends_the_program_with_one_line) {
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
    auto program = start(loss.preview ? std::vector<std::string>{"/p", id}
                                      : std::vector<std::string>{"--window-id", id, "--fps", "--mute"});
    if (!loss.at_once) {
      ASSERT_TRUE(wait_until([&] { return warm_up_seen(host); }, MOMENT_LIMIT)) << loss.name;
    }
    const auto destroyed = std::chrono::steady_clock::now();
    host.destroy();
    expect_ends(*program, destroyed, loss.codes, loss.name);
    const std::vector<std::string> lines = program_lines();
    ASSERT_EQ(lines.size(), 1u) << loss.name;
    EXPECT_NE(lines[0].find("window " + id + " "), std::string::npos) << lines[0];
    EXPECT_FALSE(show_frames_ran()) << loss.name;
  }
}

// In a host's window nobody can answer a message box: the message is one line on stderr, the
// program ends at once with status 1, and no window of its own ever appears beside the host.
TEST_F(faults_e2e, a_missing_picture_in_a_hosts_window_is_one_line_and_exit_1_without_a_window) {
  std::filesystem::remove(data.path() / "f3.jpg");
  host_window host(display.name(), HOST_WIDTH, HOST_HEIGHT);
  const int windows_before = host.mapped_top_level_windows();
  auto show = start({"--root"}, {{"XSCREENSAVER_WINDOW", host.hex_id()}});
  int most_windows = windows_before;
  std::optional<int> code;
  const auto deadline = std::chrono::steady_clock::now() + END_LIMIT;
  while (!(code = show->wait_for_exit(10ms)) && std::chrono::steady_clock::now() < deadline)
    most_windows = std::max(most_windows, host.mapped_top_level_windows());
  ASSERT_TRUE(code.has_value()) << "still running; windows: " << most_windows;
  EXPECT_EQ(*code, 1);
  EXPECT_EQ(most_windows, windows_before);
  EXPECT_EQ(program_lines(), std::vector<std::string>{"brisenfall: Screensaver: The show cannot start: these files are "
                                                      "missing from its data folder " +
                                                      data.data_path() + ": f3.jpg."});
}

// The show's own message box closes on SIGTERM, and the program ends as on a signal in the show.
TEST_F(faults_e2e, sigterm_while_the_shows_missing_pictures_box_is_open_ends_the_program) {
  std::filesystem::remove(data.path() / "f3.jpg");
  auto show = start({"/s"});
  ASSERT_NE(display.wait_for_window("Screensaver", MOMENT_LIMIT), 0u) << "no message box";
  const auto signalled = std::chrono::steady_clock::now();
  show->send_signal(SIGTERM);
  expect_ends(*show, signalled, {1}, "sigterm_in_box");
  EXPECT_EQ(program_lines(), std::vector<std::string>{"brisenfall: SIGTERM received; the show has ended"});
}

}  // namespace
}  // namespace brisenfall
