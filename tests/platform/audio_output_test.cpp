// The device output on SDL's dummy driver: render is pulled from another thread, and closing stops
// it for good and leaves no thread behind. Also: no device leaves everything unavailable and harmless.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <varnel2d/audio_output.h>
#include "engine/backends/audio_system.h"
#include "engine/backends/soundfont.h"
#include "support/audio_test_files.h"

namespace varnel2d {
namespace {

size_t thread_count() {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                                           std::filesystem::directory_iterator()));
}

TEST(AudioDeviceOutput, CloseStopsTheCallbackForGoodAndLeavesNoThreadBehind) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const size_t threads_before = thread_count();
  std::atomic<int> calls{0};
  std::atomic<std::thread::id> caller{};
  auto output = make_device_audio_output();
  ASSERT_TRUE(output->open([&](float* out, int frames) {
    std::fill(out, out + 2 * frames, 0.0f);
    caller = std::this_thread::get_id();
    ++calls;
  }));
  for (int i = 0; i < 200 && calls == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_GT(calls.load(), 0);
  EXPECT_NE(caller.load(), std::this_thread::get_id());
  output->close();
  const int after_close = calls;
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(calls.load(), after_close);
  EXPECT_EQ(thread_count(), threads_before);

  // The whole audio system with music playing closes the same way.
  {
    audio_system audio(make_device_audio_output(), find_soundfont());
    ASSERT_TRUE(audio.music_available());
    ASSERT_TRUE(audio.music_start(testing::short_piece(), 1001));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(audio.music_playing());
    audio.close();
    EXPECT_FALSE(audio.music_playing());
    EXPECT_FALSE(audio.music_available());
  }
  EXPECT_EQ(thread_count(), threads_before);
}

TEST(AudioDeviceOutput, NoDeviceLeavesSoundAndMusicOffWithOneLine) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  ::testing::internal::CaptureStderr();
  audio_system audio(make_device_audio_output(), find_soundfont());
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(audio.sound_available());
  EXPECT_FALSE(audio.music_available());
  EXPECT_EQ(said.rfind("varnel2d: no audio device (", 0), 0u) << said;
  EXPECT_NE(said.find("); running without sound\n"), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  // Every call is harmless.
  EXPECT_FALSE(audio.music_start(testing::short_piece(), 1));
  EXPECT_FALSE(audio.music_playing());
  EXPECT_EQ(audio.wave_add(std::make_shared<const wave_sound>()), 0);
  audio.wave_play(0, true, 0);
  audio.music_stop();
}

}  // namespace
}  // namespace varnel2d
