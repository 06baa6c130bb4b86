// Music through the audio system, rendered offline with the real FluidSynth and the installed
// SoundFont: sound, end detection, repeats, replacing and stopping pieces, the master level; and
// a missing or damaged SoundFont.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>

#include <varnel2d/testing/offline_audio_output.h>
#include "engine/backends/audio_levels.h"
#include "engine/backends/audio_system.h"
#include "engine/backends/soundfont.h"
#include "support/audio_test_files.h"
#include "support/temp_folder.h"

namespace varnel2d {
namespace {

using testing::measure;

// A quiet solo line renders around -45 dBFS RMS; silence is below -100.
constexpr double audible_db = -55.0;

int frames_for(double seconds) { return static_cast<int>(seconds * audio_output_rate); }

class MusicOffline : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto soundfont = find_soundfont();
    ASSERT_TRUE(soundfont) << "no SoundFont installed: run scripts/setup";
    auto offline = std::make_unique<offline_audio_output>();
    output = offline.get();
    audio = std::make_unique<audio_system>(std::move(offline), soundfont);
    ASSERT_TRUE(audio->music_available());
  }

  std::vector<float> render(double seconds) { return output->render(frames_for(seconds)); }

  offline_audio_output* output = nullptr;
  std::unique_ptr<audio_system> audio;
};

TEST_F(MusicOffline, APieceSoundsForExactlyTheAskedNumberOfPlays) {
  EXPECT_FALSE(audio->music_playing()) << "nothing started yet";
  ASSERT_TRUE(audio->music_start(testing::short_piece(), 1));
  EXPECT_TRUE(audio->music_playing());
  EXPECT_GT(measure(render(1.9)).rms_db(), audible_db);
  EXPECT_TRUE(audio->music_playing()) << "still inside the two seconds";
  render(0.2);
  EXPECT_FALSE(audio->music_playing()) << "the last play passed the end of the piece";

  ASSERT_TRUE(audio->music_start(testing::short_piece(), 2));
  render(3.9);
  EXPECT_TRUE(audio->music_playing());
  render(0.2);
  EXPECT_FALSE(audio->music_playing());

  ASSERT_TRUE(audio->music_start(testing::short_piece(), 1001));
  render(4.5);
  EXPECT_TRUE(audio->music_playing()) << "past twice the length";
  EXPECT_GT(measure(render(1.0)).rms_db(), audible_db) << "the third play sounds like the first";
  EXPECT_TRUE(audio->music_playing());
}

TEST_F(MusicOffline, AnotherPieceOrAStopSilencesTheOneSounding) {
  ASSERT_TRUE(audio->music_start(testing::held_chord(10), 1));
  EXPECT_GT(measure(render(0.5)).rms_db(), audible_db);
  ASSERT_TRUE(audio->music_start(testing::silent_piece(1), 1));
  render(0.05);
  EXPECT_LT(measure(render(0.05)).peak, 1e-4) << "the held chord was cut within 50 ms";
  EXPECT_TRUE(audio->music_playing()) << "the second piece reports now";
  render(1.0);
  EXPECT_FALSE(audio->music_playing());

  ASSERT_TRUE(audio->music_start(testing::held_chord(10), 1001));
  render(0.5);
  audio->music_stop();
  EXPECT_FALSE(audio->music_playing());
  render(0.05);
  EXPECT_LT(measure(render(0.05)).peak, 1e-4) << "silent within 50 ms";
  ASSERT_TRUE(audio->music_start(testing::short_piece(), 1));
  EXPECT_GT(measure(render(1.0)).rms_db(), audible_db) << "ready for the next piece";
}

// Full volume is 5.4 dB above 80 %; loud passages neither clip nor whisper.
TEST_F(MusicOffline, TheMasterLevelScalesTheMusicWithoutClipping) {
  audio->music_level(music_level_hundredths(80));
  ASSERT_TRUE(audio->music_start(testing::short_piece(), 1));
  const double at_80 = measure(render(2.0)).rms_db();
  audio->music_level(music_level_hundredths(100));
  ASSERT_TRUE(audio->music_start(testing::short_piece(), 1));
  EXPECT_NEAR(measure(render(2.0)).rms_db() - at_80, 5.4, 0.5);
  ASSERT_TRUE(audio->music_start(testing::tutti_passage(), 1));
  EXPECT_LT(measure(render(8.0)).peak, 0.95) << "a tutti at full volume clipped";
  audio->music_level(music_level_hundredths(80));
  ASSERT_TRUE(audio->music_start(testing::crowded_passage(), 1));
  EXPECT_LT(measure(render(8.0)).peak, 0.95) << "a crowded passage at 80 % clipped";
  ASSERT_TRUE(audio->music_start(testing::tutti_passage(), 1));
  EXPECT_GT(measure(render(8.0)).rms_db(), -28.0) << "a tutti at 80 % whispers";
}

// Without a SoundFont, or with the one named by BRISENFALL_SOUNDFONT missing or damaged, music is
// off and sound stays; a named file that is wrong gets one line on stderr naming it and what is wrong.
TEST(MusicWithoutSoundfont, MusicIsOffSoundStaysAndAWrongNamedFileGetsOneLine) {
  auto offline = std::make_unique<offline_audio_output>();
  offline_audio_output* output = offline.get();
  audio_system audio(std::move(offline), std::nullopt);
  EXPECT_FALSE(audio.music_available());
  EXPECT_TRUE(audio.sound_available());
  EXPECT_FALSE(audio.music_start(testing::short_piece(), 1));
  EXPECT_FALSE(audio.music_playing());
  EXPECT_EQ(measure(output->render(4410)).peak, 0.0);

  testing::temp_folder folder;
  std::vector<uint8_t> installed_start(65536);
  std::ifstream(*find_soundfont(nullptr, system_soundfont_folder), std::ios::binary)
      .read(reinterpret_cast<char*>(installed_start.data()), 65536);
  std::vector<uint8_t> garbage(5000);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 7919 % 251);
  struct damaged {
    const char* name;
    std::optional<std::vector<uint8_t>> bytes;  // none: the file does not exist
    const char* reason;
  };
  const damaged soundfonts[] = {
      {"missing.sf2", std::nullopt, "named by BRISENFALL_SOUNDFONT does not exist"},
      {"garbage.sf2", garbage, "(not a SoundFont)"},
      {"riff-only.sf2", std::vector<uint8_t>{'R', 'I', 'F', 'F', 0, 0}, "(not a SoundFont)"},
      {"cut.sf2", installed_start, "(cut short: 65536 of "},
  };
  for (const damaged& soundfont : soundfonts) {
    SCOPED_TRACE(soundfont.name);
    const auto file = folder.path() / soundfont.name;
    if (soundfont.bytes) testing::write_binary(file, *soundfont.bytes);
    setenv(soundfont_variable, file.c_str(), 1);
    ::testing::internal::CaptureStderr();
    audio_system named(std::make_unique<offline_audio_output>(), find_soundfont());
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(named.music_available());
    EXPECT_TRUE(named.sound_available());
    EXPECT_EQ(said.rfind("varnel2d: the SoundFont " + file.string() + " ", 0), 0u) << said;
    EXPECT_NE(said.find(soundfont.reason), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
  unsetenv(soundfont_variable);
}

}  // namespace
}  // namespace varnel2d
