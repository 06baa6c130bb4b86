// End to end on a real X display: Xvfb is started on a free display number, the frame program
// draws through the "opengl" renderer and its screenshot is checked pixel by pixel.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "support/test_files.h"

extern char** environ;

namespace brisenfall {
namespace {

// A private X server for the length of one test.
class virtual_display {
 public:
  virtual_display() {
    for (int number = 91; number < 200 && pid_ == 0; ++number) {
      const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
      if (std::filesystem::exists(socket) || std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock"))
        continue;
      const std::string name = ":" + std::to_string(number);
      const char* args[] = {"Xvfb", name.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp", nullptr};
      if (posix_spawnp(&pid_, "Xvfb", nullptr, nullptr, const_cast<char**>(args), environ) != 0) return;
      for (int wait = 0; wait < 100 && !std::filesystem::exists(socket); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      if (std::filesystem::exists(socket)) name_ = name;
    }
  }
  ~virtual_display() {
    if (pid_ == 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  const std::string& name() const { return name_; }

 private:
  pid_t pid_ = 0;
  std::string name_;
};

int run(const std::string& display, const std::string& program, const std::string& folder) {
  const std::string variable = "DISPLAY=" + display;
  const char* args[] = {program.c_str(), folder.c_str(), nullptr};
  const char* env[] = {variable.c_str(), "SDL_AUDIODRIVER=dummy", nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), nullptr, nullptr, const_cast<char**>(args), const_cast<char**>(env)) != 0)
    return -1;
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RealDisplay, DrawsASpriteSheetFrameAndSavesTheScreenshot) {
  virtual_display display;
  ASSERT_FALSE(display.name().empty()) << "Xvfb did not start";
  testing::temp_folder folder;
  // Two 32 x 32 frames side by side with a one-pixel magenta gap; frame 1 is green with a
  // magenta (transparent) top-left 8 x 8 corner.
  testing::pixel_image sheet = testing::filled_image(65, 32, 0xFFFF0000);
  for (int32_t y = 0; y < 32; ++y) {
    sheet.argb[static_cast<size_t>(y * 65 + 32)] = 0xFFFF00FF;
    for (int32_t x = 33; x < 65; ++x)
      sheet.argb[static_cast<size_t>(y * 65 + x)] = (x < 41 && y < 8) ? 0xFFFF00FF : 0xFF00FF00;
  }
  testing::write_png(folder.file("sheet.png"), sheet);
  ASSERT_EQ(run(display.name(), REAL_DISPLAY_FRAME, folder.path().string()), 0);
  const testing::pixel_image shot = testing::read_bmp24(folder.file("screen1.bmp"));
  ASSERT_EQ(shot.width, 640);
  ASSERT_EQ(shot.height, 480);
  EXPECT_EQ(shot.at(120, 120), 0xFF00FF00u);  // inside frame 1
  EXPECT_EQ(shot.at(102, 102), 0xFF000000u);  // its keyed corner
  EXPECT_EQ(shot.at(98, 120), 0xFF000000u);   // left of it
  EXPECT_EQ(shot.at(133, 120), 0xFF000000u);  // neither the gap nor frame 0 come along
  // Scaled twice about the same centre (316, 216) and turned a quarter clockwise: the keyed
  // corner moves to the top right.
  EXPECT_EQ(shot.at(305, 225), 0xFF00FF00u);
  EXPECT_EQ(shot.at(340, 192), 0xFF000000u);
  EXPECT_EQ(shot.at(290, 190), 0xFF00FF00u);
  EXPECT_EQ(shot.at(282, 216), 0xFF000000u);
}

}  // namespace
}  // namespace brisenfall
