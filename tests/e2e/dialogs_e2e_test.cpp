// The real brisenfall binary's configuration window and preview under Xvfb.
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
using testing::temp_folder;
using testing::virtual_display;

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

class dialogs_e2e : public ::testing::Test {
 protected:
  dialogs_e2e() {
    std::filesystem::create_directories(config.path() / "brisenfall");
    std::filesystem::create_directories(data.path());
    testing::write_file(config.path() / "brisenfall" / "settings-store.ini",
                        "[HKEY_CURRENT_USER\\Software\\Tamsk Brisenfall Screensaver\\Config]\n"
                        "install_path=" + data.path().string() + "\n");
    testing::write_file(data.path() / "preview.bmp", preview_bitmap());
  }
  std::map<std::string, std::string> environment() const {
    return {{"XDG_CONFIG_HOME", config.path().string()}, {"DISPLAY", display.name()},
            {"XDG_RUNTIME_DIR", config.path().string()}};
  }
  // Starts the preview in a host of 152 x 112 and waits until its picture sits inside.
  std::unique_ptr<child_process> start_preview(host_window& host) {
    auto preview = std::make_unique<child_process>(
        std::vector<std::string>{BRISENFALL_BINARY, "/p", std::to_string(host.id())}, environment());
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (host.mapped_child() == 0 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(10ms);
    return preview;
  }
  // How long the program took to end after the host let go; the test fails when it does not end.
  static std::chrono::milliseconds time_to_end(child_process& preview, std::chrono::steady_clock::time_point since) {
    EXPECT_EQ(preview.wait_for_exit(testing::exit_limit), 0);
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - since);
  }

  temp_folder config;
  temp_folder data;
  virtual_display display;
};

TEST_F(dialogs_e2e, configuration_opens_its_window_with_a_client_area_of_500_by_367) {
  child_process brisenfall({BRISENFALL_BINARY, "/c"}, environment());
  const unsigned long window = display.wait_for_window("Brisenfall Screensaver - Configuration", 10s);
  ASSERT_NE(window, 0u);
  EXPECT_NE(display.xdotool("getwindowgeometry " + std::to_string(window)).find("Geometry: 500x367"),
            std::string::npos);
}

TEST_F(dialogs_e2e, preview_shows_the_picture_in_the_host_and_ends_on_a_close_request) {
  host_window host(display.name(), 152, 112);
  const auto preview = start_preview(host);
  const unsigned long picture = host.mapped_child();
  ASSERT_NE(picture, 0u);
  // A screenshot of the host: the picture at the top-left, the rest of the client area covered.
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(host.pixel(5, 5), PICTURE_COLOUR);
  EXPECT_EQ(host.pixel(149, 111), PICTURE_COLOUR);
  EXPECT_EQ(host.pixel(151, 50), 0x000000u);

  const auto asked = std::chrono::steady_clock::now();
  host.send_delete_window(picture);
  const auto took = time_to_end(*preview, asked);
  RecordProperty("milliseconds_to_end", static_cast<int>(took.count()));
  EXPECT_EQ(host.mapped_child(), 0u);
}

TEST_F(dialogs_e2e, preview_ends_when_the_host_is_destroyed) {
  host_window host(display.name(), 152, 112);
  const auto preview = start_preview(host);
  ASSERT_NE(host.mapped_child(), 0u);
  const auto destroyed = std::chrono::steady_clock::now();
  host.destroy();
  RecordProperty("milliseconds_to_end", static_cast<int>(time_to_end(*preview, destroyed).count()));
}

TEST_F(dialogs_e2e, preview_of_host_zero_or_no_window_ends_by_itself) {
  for (const char* host : {"0", "12345", ""}) {
    child_process preview({BRISENFALL_BINARY, "/p", host}, environment());
    EXPECT_EQ(preview.wait_for_exit(testing::exit_limit), 0) << host;
  }
}

}  // namespace
}  // namespace brisenfall
