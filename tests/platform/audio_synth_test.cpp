// Music through the audio system, rendered offline with the real FluidSynth and the installed
// SoundFont: repeats and loud passages; and a missing or damaged SoundFont.
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

// Playing once, looping, replacing and stopping a piece and the volume scale are checked through
// the engine's music operations; here a count of plays the engine never asks for, and loud
// passages at the master levels the show uses.
TEST(MusicOffline, PlaysAsOftenAsAskedAndLoudPassagesNeitherClipNorWhisper) {
  auto offline = std::make_unique<offline_audio_output>();
  offline_audio_output& output = *offline;
  audio_system audio(std::move(offline), find_soundfont());
  ASSERT_TRUE(audio.music_available()) << "no SoundFont installed: run scripts/setup";
  const auto render = [&](double seconds) { return output.render(static_cast<int>(seconds * audio_output_rate)); };
  ASSERT_TRUE(audio.music_start(testing::short_piece(), 2));
  EXPECT_GT(measure(render(3.9)).rms_db(), audible_db);
  EXPECT_TRUE(audio.music_playing());
  render(0.2);
  EXPECT_FALSE(audio.music_playing());

  audio.music_level(music_level_hundredths(100));
  ASSERT_TRUE(audio.music_start(testing::tutti_passage(), 1));
  EXPECT_LT(measure(render(8.0)).peak, 0.95) << "a tutti at full volume clipped";
  audio.music_level(music_level_hundredths(80));
  ASSERT_TRUE(audio.music_start(testing::crowded_passage(), 1));
  EXPECT_LT(measure(render(8.0)).peak, 0.95) << "a crowded passage at 80 % clipped";
  ASSERT_TRUE(audio.music_start(testing::tutti_passage(), 1));
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
