// The real brisenfall binary started with each switch under Xvfb, with its own settings folder: the
// runs that end at once, the configuration window, and the preview inside a host's window.
#include <gtest/gtest.h>

#include <filesystem>
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
using testing::read_file;

constexpr uint32_t PICTURE_COLOUR = 0xC8285A;

// A 150 x 112 bitmap of 256 colours, every pixel palette entry 1.
std::string preview_bitmap() {
  const int width = 150, height = 112, row = (width + 3) / 4 * 4;
  const uint32_t pixels_at = 14 + 40 + 1024, size = pixels_at + static_cast<uint32_t>(row * height);
  std::string bytes;
  const auto put = [&bytes](uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  bytes += "BM";
  put(size, 4), put(0, 4), put(pixels_at, 4);
  put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(8, 2), put(0, 4), put(0, 4), put(3780, 4), put(3780, 4),
      put(256, 4), put(0, 4);
  for (uint32_t entry = 0; entry < 256; ++entry) put(entry == 1 ? PICTURE_COLOUR : 0, 4);  // blue, green, red, 0
  for (int y = 0; y < height; ++y) bytes.append(static_cast<size_t>(width), '\1').append(static_cast<size_t>(row - width), '\0');
  return bytes;
}

class startup_e2e : public ::testing::Test {
 protected:
  std::map<std::string, std::string> environment() const {
    return {{"XDG_CONFIG_HOME", config.path().string()}, {"DISPLAY", display.name()},
            {"XDG_RUNTIME_DIR", config.path().string()}};
  }
  void register_install_path(const std::string& path) {
    std::filesystem::create_directories(config.path() / "brisenfall");
    testing::write_file(config.path() / "brisenfall" / "settings-store.ini",
                        "[HKEY_CURRENT_USER\\Software\\Tamsk Brisenfall Screensaver\\Config]\n"
                        "install_path=" + path + "\n");
  }
  std::filesystem::path settings_file() const {
    return config.path() / "brisenfall" / "Brisenfall Screensaver.yyz";
  }
  int exit_code(const std::vector<std::string>& arguments, std::map<std::string, std::string> variables) {
    std::vector<std::string> command{BRISENFALL_BINARY};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return child_process(command, variables).wait_for_exit(testing::exit_limit).value_or(-2);
  }

  testing::temp_folder config;
  testing::temp_folder data;
  testing::virtual_display display;
};

// The password switch and unknown switches need no display; malformed options are refused with
// status 2; a preview of host 0 or of no window ends by itself. None writes the settings file.
TEST_F(startup_e2e, runs_that_end_at_once_without_a_window) {
  for (const char* command_line : {"/a", "/x"})
    EXPECT_EQ(exit_code({command_line}, {{"XDG_CONFIG_HOME", config.path().string()}, {"DISPLAY", ""}}), 0)
        << command_line;
  EXPECT_FALSE(std::filesystem::exists(config.path() / "brisenfall"));
  register_install_path(data.path().string());
  for (const std::vector<std::string>& options :
       {std::vector<std::string>{"--window-id"}, {"--window-id", "0xZZ"}, {"--snow", "-4"}, {"--snow", "99999"},
        {"-frobnicate"}, {"--renderer", "vulkan"}, {"--max-fps", "5"}})
    EXPECT_EQ(exit_code(options, environment()), 2) << options.front();
  for (const char* host : {"0", "12345", ""}) EXPECT_EQ(exit_code({"/p", host}, environment()), 0) << host;
  EXPECT_FALSE(std::filesystem::exists(settings_file()));
}

// Without an install path the message box comes and nothing is written; with one the settings file
// is written and the window opens with a client area of 500 x 367.
TEST_F(startup_e2e, configuration_shows_the_missing_install_path_message_or_writes_the_settings_and_opens) {
  {
    child_process brisenfall({BRISENFALL_BINARY, "/c"}, environment());
    const unsigned long box = display.wait_for_window("Install Path Not Found", 10s);
    ASSERT_NE(box, 0u);
    display.xdotool("windowfocus --sync " + std::to_string(box) + " key Return");
    EXPECT_EQ(brisenfall.wait_for_exit(testing::exit_limit), 0);
    EXPECT_FALSE(std::filesystem::exists(settings_file()));
  }
  register_install_path("/srv/brisenfall/data");
  child_process brisenfall({BRISENFALL_BINARY, "/c"}, environment());
  const unsigned long window = display.wait_for_window("Brisenfall Screensaver - Configuration", 10s);
  ASSERT_NE(window, 0u);
  EXPECT_NE(display.xdotool("getwindowgeometry " + std::to_string(window)).find("Geometry: 500x367"),
            std::string::npos);
  const std::string settings = read_file(settings_file());
  EXPECT_EQ(settings.substr(0, 23), "/srv/brisenfall/data/\r\n");
  EXPECT_EQ(std::count(settings.begin(), settings.end(), '\n'), 108);
}

// The picture sits at the top-left of the host and covers the rest of the client area; the preview
// ends on a close request, and when its host is destroyed.
TEST_F(startup_e2e, a_preview_shows_the_picture_in_its_host_and_ends_on_a_close_request_or_the_hosts_loss) {
  register_install_path(data.path().string());
  testing::write_file(data.path() / "preview.bmp", preview_bitmap());
  for (const bool close_request : {true, false}) {
    host_window host(display.name(), 152, 112);
    child_process preview({BRISENFALL_BINARY, "/p", std::to_string(host.id())}, environment());
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (host.mapped_child() == 0 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(10ms);
    const unsigned long picture = host.mapped_child();
    ASSERT_NE(picture, 0u);
    if (close_request) {
      std::this_thread::sleep_for(300ms);
      EXPECT_EQ(host.pixel(5, 5), PICTURE_COLOUR);
      EXPECT_EQ(host.pixel(149, 111), PICTURE_COLOUR);
      EXPECT_EQ(host.pixel(151, 50), 0x000000u);
      host.send_delete_window(picture);
    } else {
      host.destroy();
    }
    EXPECT_EQ(preview.wait_for_exit(testing::exit_limit), 0) << close_request;
    if (close_request) {
      EXPECT_EQ(host.mapped_child(), 0u);
    }
  }
}

}  // namespace
}  // namespace brisenfall
