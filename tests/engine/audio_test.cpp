// The engine's music and sound operations on an offline audio output with the real synthesiser and
// the installed SoundFont.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "support/audio_test_files.h"
#include "support/engine_fixture.h"

namespace varnel2d::testing {
namespace {

constexpr double audible_db = -55.0;

// A started engine playing into an offline output, with files written to its data folder.
struct audio_engine : started_recorded {
  audio_engine() : started_recorded(true) {}
  std::vector<float> render(double seconds) { return audio->render(static_cast<int>(seconds * audio_output_rate)); }
  void write(const std::string& name, const std::vector<uint8_t>& bytes) { write_binary(folder.path() / name, bytes); }
  // A constant tone of `frames` frames written as "tone.wav" and loaded into slot 1.
  bool load_tone(int rate, int channels, int frames) {
    write("tone.wav", make_wav(rate, channels, std::vector<int16_t>(static_cast<size_t>(frames * channels), 16384)));
    return engine->sound_load(1, "tone.wav");
  }
};

TEST(Music, PiecesSoundEndLoopAndSwitchTheVolumeScalesThemAndFailedLoadsKeepTheSlot) {
  audio_engine e;
  EXPECT_FALSE(e->music_isplaying());  // nothing before the first play, nor from an empty slot
  e->music_stop();
  e->music_play(7);
  EXPECT_FALSE(e->music_isplaying());
  EXPECT_LT(measure(e.render(0.5)).peak, 1e-4);
  e.write("music1.mid", short_piece());
  e.write("wrapped.rmi", make_rmi(short_piece()));
  ASSERT_TRUE(e->music_load(1, "music1.mid"));
  ASSERT_TRUE(e->music_load(2, "wrapped.rmi"));
  std::vector<double> levels;
  for (const int slot : {1, 2}) {
    e->music_play(slot);
    EXPECT_TRUE(e->music_isplaying());
    levels.push_back(measure(e.render(1.9)).rms_db());
    EXPECT_GT(levels.back(), audible_db);
    EXPECT_TRUE(e->music_isplaying());
    e.render(0.2);
    EXPECT_FALSE(e->music_isplaying());
  }
  EXPECT_NEAR(levels[1], levels[0], 0.5);
  e->music_play(1, true);  // the loop flag keeps it playing
  e.render(4.5);
  EXPECT_TRUE(e->music_isplaying()) << "past twice the length";
  EXPECT_GT(measure(e.render(1.0)).rms_db(), audible_db);
  // The volume starts at 80 per cent, is clamped to 0..100 and is linear in decibels.
  e->music_play(1);
  const double initial = measure(e.render(2.0)).rms_db();
  const auto level_at = [&](double percent) {
    e->music_volume(percent);
    e->music_play(1);
    return measure(e.render(2.0)).rms_db();
  };
  const double at_80 = level_at(80), at_100 = level_at(100), at_0 = level_at(0);
  EXPECT_NEAR(at_80, initial, 0.2);
  EXPECT_NEAR(at_100 - at_80, 5.4, 0.5);
  EXPECT_NEAR(at_100 - at_0, 27.0, 0.5);
  EXPECT_NEAR(level_at(150), at_100, 0.2);
  EXPECT_NEAR(level_at(-5), at_0, 0.2);
  e->music_volume(80);
  e.write("bad.mid", {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0});
  ASSERT_TRUE(e->music_load(3, "music1.mid"));
  for (const auto& [slot, file] : {std::pair{3, "bad.mid"}, {3, "missing.mid"}, {0, "music1.mid"}, {65, "music1.mid"}})
    EXPECT_FALSE(e->music_load(slot, file)) << slot << " " << file;
  e->music_play(3);
  EXPECT_GT(measure(e.render(1.0)).rms_db(), audible_db) << "slot 3 still holds the good piece";
  EXPECT_TRUE(e->music_load(4, e.folder.file("music1.mid"), true));
  EXPECT_FALSE(e->music_load(4, "music1.mid", true)) << "a full path is not joined to the data folder";
  // A second slot or a stop silences the piece within a hundred milliseconds; after terminate the
  // operations are harmless.
  e.write("chord.mid", held_chord(10));
  e.write("rest.mid", silent_piece(1));
  ASSERT_TRUE(e->music_load(1, "chord.mid"));
  ASSERT_TRUE(e->music_load(2, "rest.mid"));
  e->music_play(1);
  EXPECT_GT(measure(e.render(0.5)).rms_db(), audible_db);
  e->music_play(2);
  e.render(0.05);
  EXPECT_LT(measure(e.render(0.05)).peak, 1e-4);
  EXPECT_TRUE(e->music_isplaying()) << "reports on the second piece";
  e.render(1.0);
  EXPECT_FALSE(e->music_isplaying());
  e->music_play(1, true);
  e.render(0.5);
  e->music_stop();
  EXPECT_FALSE(e->music_isplaying());
  e.render(0.05);
  EXPECT_LT(measure(e.render(0.05)).peak, 1e-4);
  e->music_play(1, true);
  e.render(0.2);
  e->terminate();  // lets the output go: it is not rendered from again
  EXPECT_FALSE(e->music_isplaying());
  e->music_play(1);
  e->music_stop();
  e->terminate();
}

// Without a SoundFont music loads fail and play does nothing, but sound works; without an output
// everything is silent and harmless, and nothing is logged.
TEST(Audio, WithoutASoundfontOrAnOutput) {
  setenv("BRISENFALL_SOUNDFONT", "/nonexistent/none.sf2", 1);
  audio_engine e;
  unsetenv("BRISENFALL_SOUNDFONT");
  started_recorded silent;
  for (const std::string& folder : {e.folder.path().string(), silent.folder.path().string()}) {
    write_binary(folder + "/a.mid", short_piece());
    write_binary(folder + "/beep.wav", make_wav(audio_output_rate, 1, std::vector<int16_t>(441, 8000)));
  }
  EXPECT_FALSE(e->music_load(1, "a.mid"));
  e->music_play(1);
  EXPECT_FALSE(e->music_isplaying());
  EXPECT_EQ(measure(e.render(0.5)).peak, 0.0);
  EXPECT_TRUE(e->sound_load(1, "beep.wav")) << "sound does not need the SoundFont";
  EXPECT_FALSE(silent->music_load(1, "a.mid"));
  EXPECT_FALSE(silent->sound_load(1, "beep.wav"));
  EXPECT_FALSE(silent->sound_load(2, "missing.wav"));
  EXPECT_FALSE(std::filesystem::exists(silent.folder.path() / "data.log")) << "no log without sound";
  silent->music_play(1, true);
  silent->music_volume(50);
  silent->sound_play(1, true, 0);
  silent->sound_volume(1, -100);
  silent->sound_pan(1, 100);
  silent->sound_freq(1, 8000, false);
  silent->sound_stop(1);
  EXPECT_FALSE(silent->music_isplaying());
  silent->terminate();
}

TEST(Sound, PlaysOnceFromThePositionOrLoopsReloadsLogsFailedLoadsAndPansScalesAndResamples) {
  audio_engine e;
  ASSERT_TRUE(e.load_tone(audio_output_rate, 2, 4410));
  e->sound_play(1);
  EXPECT_EQ(sounding_frames(e.render(0.2)), 4410u);
  e->sound_play(1, false, 4 * 1500);  // the position skips bytes
  EXPECT_EQ(sounding_frames(e.render(0.2)), 2910u);
  e->sound_play(1, true, 0);
  EXPECT_EQ(sounding_frames(e.render(0.5)), static_cast<size_t>(0.5 * audio_output_rate));
  e->sound_stop(1);
  EXPECT_EQ(sounding_frames(e.render(0.1)), 0u);
  ASSERT_TRUE(e.load_tone(audio_output_rate, 2, 1000));
  e->sound_play(1);
  EXPECT_EQ(sounding_frames(e.render(0.2)), 1000u);
  EXPECT_FALSE(e->sound_load(2, "missing.wav"));
  e.write("text.wav", {'n', 'o', 'p', 'e'});
  EXPECT_FALSE(e->sound_load(1, "text.wav"));
  e.write("tone.wav", make_wav(audio_output_rate, 1, std::vector<int16_t>(100, 1)));
  EXPECT_FALSE(e->sound_load(65, "tone.wav"));
  const std::string log = read_file(e.folder.file("data.log"));
  EXPECT_EQ(log.rfind("Error. (soundset)\r\n53\r\nVarnel_2D_Engine.sound_load\r\nFile not found: " +
                          (e.folder.path() / "missing.wav").string() +
                          "\r\nError. (soundset)\r\n321\r\n"
                          "Varnel_2D_Engine.sound_load\r\nInvalid file format",
                      0),
            0u)
      << log;
  EXPECT_NE(log.find("Error. (soundset)\r\n9\r\nVarnel_2D_Engine.sound_load\r\nSubscript out of range\r\n"),
            std::string::npos);
  // Pan, volume and frequency.
  ASSERT_TRUE(e.load_tone(audio_output_rate, 1, 4410));
  e->sound_pan(1, -10000);
  e->sound_play(1);
  auto out = e.render(0.1);
  EXPECT_NEAR(measure(out, 0).peak, 0.5, 1e-6);
  EXPECT_EQ(measure(out, 1).peak, 0.0) << "pan -10000 silences the right channel";
  e->sound_pan(1, 0);
  e->sound_volume(1, -600);
  e->sound_play(1);
  EXPECT_NEAR(measure(e.render(0.1), 1).peak, 0.5 * 0.5012, 1e-3);
  e->sound_volume(1, 0);
  ASSERT_TRUE(e.load_tone(22050, 1, 11025));  // the frequency resamples; the reset flag ignores it
  const auto frames_at = [&](double frequency, bool reset) {
    if (frequency > 0) e->sound_freq(1, frequency, reset);
    e->sound_play(1);
    return static_cast<double>(sounding_frames(e.render(1.0)));
  };
  const double own = frames_at(0, false);
  EXPECT_NEAR(frames_at(44100, false) / own, 0.5, 0.01) << "double frequency, half the length";
  EXPECT_NEAR(frames_at(11025, true), own, 1.0) << "the file's own rate";
}

size_t thread_count() {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}));
}

TEST(Terminate, OnTheDeviceNoAudioThreadOutlivesTheEngine) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const size_t before = thread_count();
  {
    temp_folder folder;
    Varnel_2D_Engine e(engine_backends{std::make_unique<recording_display>(), std::make_unique<scripted_input>(),
                                       std::make_unique<settable_clock>(), make_device_audio_output()});
    e.lib_setpath(folder.path().string());
    ASSERT_TRUE(e.init(0, 640, 480, 32));
    write_binary(folder.path() / "a.mid", short_piece());
    ASSERT_TRUE(e.music_load(1, "a.mid"));
    e.music_play(1, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(e.music_isplaying());
    e.terminate();
    EXPECT_FALSE(e.music_isplaying());
    EXPECT_EQ(thread_count(), before);
  }
  EXPECT_EQ(thread_count(), before);
}

}  // namespace
}  // namespace varnel2d::testing
