// The engine's music and sound operations on an offline audio output with the real synthesiser and
// the installed SoundFont, on a recording display, scripted input and a settable clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include <varnel2d/Varnel_2D_Engine.h>
#include <varnel2d/testing/offline_audio_output.h>
#include <varnel2d/testing/recording_display.h>
#include <varnel2d/testing/scripted_input.h>
#include <varnel2d/testing/settable_clock.h>
#include "support/audio_test_files.h"
#include "support/test_files.h"

namespace varnel2d {
namespace {

using testing::measure;
using testing::sounding_frames;

constexpr double audible_db = -55.0;

// Lends the engine the test's offline output, which can still be pulled after the engine has let its
// output go (terminate).
class lent_output final : public audio_output {
 public:
  explicit lent_output(offline_audio_output& kept) : kept_(kept) {}
  bool open(render_function render) override { return kept_.open(std::move(render)); }
  void close() override { kept_.close(); }

 private:
  offline_audio_output& kept_;
};

// An engine whose audio goes to the offline `output`, or to `made_output` (nowhere when it is null);
// its data folder is `folder`.
class audio_engine {
 public:
  audio_engine() { start(std::make_unique<lent_output>(output)); }
  explicit audio_engine(std::unique_ptr<audio_output> made_output) { start(std::move(made_output)); }
  Varnel_2D_Engine* operator->() { return engine.get(); }

  std::vector<float> render(double seconds) { return output.render(static_cast<int>(seconds * audio_output_rate)); }
  void write(const std::string& name, const std::vector<uint8_t>& bytes) { testing::write_binary(folder.path() / name, bytes); }

  testing::temp_folder folder;
  offline_audio_output output;
  std::unique_ptr<Varnel_2D_Engine> engine;

 private:
  void start(std::unique_ptr<audio_output> made_output) {
    engine = std::make_unique<Varnel_2D_Engine>(engine_backends{std::make_unique<recording_display>(),
                                                                std::make_unique<scripted_input>(),
                                                                std::make_unique<settable_clock>(), std::move(made_output)});
    engine->lib_setpath(folder.path().string());
    EXPECT_TRUE(engine->init(0, 640, 480, 32));
  }
};

// Names a SoundFont for the life of a test.
class soundfont_named {
 public:
  explicit soundfont_named(const std::string& file) { setenv(soundfont_variable_name, file.c_str(), 1); }
  ~soundfont_named() { unsetenv(soundfont_variable_name); }

 private:
  static constexpr const char* soundfont_variable_name = "BRISENFALL_SOUNDFONT";
};

TEST(Music, NothingPlaysBeforeTheFirstPlayNorFromAnEmptySlot) {
  audio_engine e;
  EXPECT_FALSE(e->music_isplaying());
  e->music_stop();
  EXPECT_FALSE(e->music_isplaying());
  e->music_play(7);
  EXPECT_FALSE(e->music_isplaying());
  EXPECT_LT(measure(e.render(0.5)).peak, 1e-4);
}

TEST(Music, APieceFromTheDataFolderSoundsAndEnds) {
  audio_engine e;
  e.write("music1.mid", testing::short_piece());
  ASSERT_TRUE(e->music_load(1, "music1.mid"));
  e->music_play(1);
  EXPECT_TRUE(e->music_isplaying());
  EXPECT_GT(measure(e.render(1.9)).rms_db(), audible_db);
  EXPECT_TRUE(e->music_isplaying());
  e.render(0.2);
  EXPECT_FALSE(e->music_isplaying());
}

TEST(Music, TheLoopFlagKeepsThePiecePlaying) {
  audio_engine e;
  e.write("a.mid", testing::short_piece());
  ASSERT_TRUE(e->music_load(5, "a.mid"));
  e->music_play(5, true);
  e.render(4.5);
  EXPECT_TRUE(e->music_isplaying()) << "past twice the length";
  EXPECT_GT(measure(e.render(1.0)).rms_db(), audible_db);
}

TEST(Music, PlayingASecondSlotStopsTheFirst) {
  audio_engine e;
  e.write("chord.mid", testing::held_chord(10));
  e.write("rest.mid", testing::silent_piece(1));
  ASSERT_TRUE(e->music_load(1, "chord.mid"));
  ASSERT_TRUE(e->music_load(2, "rest.mid"));
  e->music_play(1);
  EXPECT_GT(measure(e.render(0.5)).rms_db(), audible_db);
  e->music_play(2);
  e.render(0.05);
  EXPECT_LT(measure(e.render(0.05)).peak, 1e-4) << "the first piece is silent within 100 ms";
  EXPECT_TRUE(e->music_isplaying()) << "reports on the second piece";
  e.render(1.0);
  EXPECT_FALSE(e->music_isplaying());
}

TEST(Music, StopSilencesWithinAHundredMilliseconds) {
  audio_engine e;
  e.write("chord.mid", testing::held_chord(10));
  ASSERT_TRUE(e->music_load(1, "chord.mid"));
  e->music_play(1, true);
  e.render(0.5);
  e->music_stop();
  EXPECT_FALSE(e->music_isplaying());
  e.render(0.05);
  EXPECT_LT(measure(e.render(0.05)).peak, 1e-4);
}

TEST(Music, VolumeStartsAtEightyPercentAndIsClampedAndLinearInDecibels) {
  audio_engine e;
  e.write("a.mid", testing::short_piece());
  ASSERT_TRUE(e->music_load(1, "a.mid"));
  e->music_play(1);
  const double initial = measure(e.render(2.0)).rms_db();
  const auto level_at = [&](double percent) {
    e->music_volume(percent);
    e->music_play(1);
    return measure(e.render(2.0)).rms_db();
  };
  const double at_80 = level_at(80);
  EXPECT_NEAR(at_80, initial, 0.2);
  const double at_100 = level_at(100);
  EXPECT_NEAR(at_100 - at_80, 5.4, 0.5);
  EXPECT_NEAR(level_at(150), at_100, 0.2);
  const double at_0 = level_at(0);
  EXPECT_NEAR(at_100 - at_0, 27.0, 0.5);
  EXPECT_NEAR(level_at(-5), at_0, 0.2);
}

TEST(Music, ARiffMidiFilePlaysLikeItsMidiData) {
  audio_engine e;
  const auto midi = testing::short_piece();
  e.write("plain.mid", midi);
  e.write("wrapped.rmi", testing::make_rmi(midi));
  ASSERT_TRUE(e->music_load(1, "plain.mid"));
  ASSERT_TRUE(e->music_load(2, "wrapped.rmi"));
  e->music_play(1);
  const double plain = measure(e.render(2.0)).rms_db();
  e->music_play(2);
  const auto wrapped = e.render(1.9);
  EXPECT_NEAR(measure(wrapped).rms_db(), plain, 0.5);
  EXPECT_TRUE(e->music_isplaying());
  e.render(0.2);
  EXPECT_FALSE(e->music_isplaying());
}

TEST(Music, FailedLoadsReturnFalseAndKeepTheSlot) {
  audio_engine e;
  e.write("good.mid", testing::short_piece());
  e.write("bad.mid", {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0});
  ASSERT_TRUE(e->music_load(3, "good.mid"));
  EXPECT_FALSE(e->music_load(3, "bad.mid"));
  EXPECT_FALSE(e->music_load(3, "missing.mid"));
  EXPECT_FALSE(e->music_load(0, "good.mid"));
  EXPECT_FALSE(e->music_load(65, "good.mid"));
  e->music_play(3);
  EXPECT_GT(measure(e.render(1.0)).rms_db(), audible_db) << "slot 3 still holds the good piece";

  EXPECT_TRUE(e->music_load(4, (e.folder.path() / "good.mid").string(), true));
  EXPECT_FALSE(e->music_load(4, "good.mid", true)) << "a full path is not joined to the data folder";
}

TEST(Music, WithoutASoundfontLoadsFailAndPlayDoesNothing) {
  soundfont_named none("/nonexistent/none.sf2");
  audio_engine e;
  e.write("a.mid", testing::short_piece());
  EXPECT_FALSE(e->music_load(1, "a.mid"));
  e->music_play(1);
  EXPECT_FALSE(e->music_isplaying());
  EXPECT_EQ(measure(e.render(0.5)).peak, 0.0);
  e.write("beep.wav", testing::make_wav(audio_output_rate, 1, std::vector<int16_t>(441, 8000)));
  EXPECT_TRUE(e->sound_load(1, "beep.wav")) << "sound does not need the SoundFont";
}

TEST(Audio, WithoutAnOutputEverythingIsSilentAndHarmless) {
  audio_engine e(nullptr);
  e.write("a.mid", testing::short_piece());
  e.write("beep.wav", testing::make_wav(audio_output_rate, 1, std::vector<int16_t>(441, 8000)));
  EXPECT_FALSE(e->music_load(1, "a.mid"));
  EXPECT_FALSE(e->sound_load(1, "beep.wav"));
  EXPECT_FALSE(e->sound_load(2, "missing.wav"));
  EXPECT_FALSE(std::filesystem::exists(e.folder.path() / "data.log")) << "no log without sound";
  e->music_play(1, true);
  e->music_volume(50);
  e->sound_play(1, true, 0);
  e->sound_volume(1, -100);
  e->sound_pan(1, 100);
  e->sound_freq(1, 8000, false);
  e->sound_stop(1);
  EXPECT_FALSE(e->music_isplaying());
  e->terminate();
}

class Sound : public ::testing::Test {
 protected:
  // A constant tone of `frames` frames written as "tone.wav" and loaded into slot 1.
  void load_tone(int rate, int channels, int frames) {
    e.write("tone.wav", testing::make_wav(rate, channels, std::vector<int16_t>(static_cast<size_t>(frames * channels), 16384)));
    ASSERT_TRUE(e->sound_load(1, "tone.wav"));
  }
  audio_engine e;
};

TEST_F(Sound, PlaysOnceOrLoopsUntilStopped) {
  load_tone(audio_output_rate, 2, 4410);
  e->sound_play(1);
  EXPECT_EQ(sounding_frames(e.render(0.2)), 4410u);
  e->sound_play(1, true, 0);
  EXPECT_EQ(sounding_frames(e.render(0.5)), static_cast<size_t>(0.5 * audio_output_rate));
  e->sound_stop(1);
  EXPECT_EQ(sounding_frames(e.render(0.1)), 0u);
}

TEST_F(Sound, PanAndVolume) {
  load_tone(audio_output_rate, 1, 4410);
  e->sound_pan(1, -10000);
  e->sound_play(1);
  auto out = e.render(0.1);
  EXPECT_NEAR(measure(out, 0).peak, 0.5, 1e-6);
  EXPECT_EQ(measure(out, 1).peak, 0.0) << "pan -10000 silences the right channel";
  e->sound_pan(1, 0);
  e->sound_volume(1, -600);
  e->sound_play(1);
  out = e.render(0.1);
  EXPECT_NEAR(measure(out, 1).peak, 0.5 * 0.5012, 1e-3);
}

TEST_F(Sound, FrequencyResamplesAndTheResetFlagIgnoresIt) {
  load_tone(22050, 1, 11025);
  e->sound_play(1);
  const auto own = static_cast<double>(sounding_frames(e.render(1.0)));
  e->sound_freq(1, 44100, false);
  e->sound_play(1);
  EXPECT_NEAR(static_cast<double>(sounding_frames(e.render(1.0))) / own, 0.5, 0.01) << "double frequency, half the length";
  e->sound_freq(1, 11025, true);
  e->sound_play(1);
  EXPECT_NEAR(static_cast<double>(sounding_frames(e.render(1.0))), own, 1.0) << "the file's own rate";
}

TEST_F(Sound, PositionSkipsTheGivenBytes) {
  load_tone(audio_output_rate, 2, 4000);
  e->sound_play(1, false, 4 * 1500);
  EXPECT_EQ(sounding_frames(e.render(0.2)), 2500u);
}

TEST_F(Sound, ReloadingASlotReplacesItsSound) {
  load_tone(audio_output_rate, 2, 4000);
  load_tone(audio_output_rate, 2, 1000);
  e->sound_play(1);
  EXPECT_EQ(sounding_frames(e.render(0.2)), 1000u);
}

TEST_F(Sound, AMissingWaveLogsFourLines) {
  EXPECT_FALSE(e->sound_load(2, "missing.wav"));
  const std::string expected = "Error. (soundset)\r\n53\r\nVarnel_2D_Engine.sound_load\r\nFile not found: " +
                               (e.folder.path() / "missing.wav").string() + "\r\n";
  EXPECT_EQ(testing::read_file(e.folder.file("data.log")), expected);
}

TEST_F(Sound, ABadIndexOrFormatIsLoggedToo) {
  e.write("text.wav", {'n', 'o', 'p', 'e'});
  EXPECT_FALSE(e->sound_load(1, "text.wav"));
  e.write("tone.wav", testing::make_wav(audio_output_rate, 1, std::vector<int16_t>(100, 1)));
  EXPECT_FALSE(e->sound_load(65, "tone.wav"));
  const std::string log = testing::read_file(e.folder.file("data.log"));
  EXPECT_EQ(log.rfind("Error. (soundset)\r\n321\r\nVarnel_2D_Engine.sound_load\r\nInvalid file format", 0), 0u) << log;
  EXPECT_NE(log.find("Error. (soundset)\r\n9\r\nVarnel_2D_Engine.sound_load\r\nSubscript out of range\r\n"), std::string::npos);
}

TEST(Terminate, SilencesTheOutputAndLeavesTheOperationsHarmless) {
  audio_engine e;
  e.write("chord.mid", testing::held_chord(10));
  ASSERT_TRUE(e->music_load(1, "chord.mid"));
  e->music_play(1, true);
  e.render(0.2);
  e->terminate();
  EXPECT_EQ(measure(e.render(0.2)).peak, 0.0) << "the output no longer pulls from the synthesiser";
  EXPECT_FALSE(e->music_isplaying());
  e->music_play(1);
  e->music_stop();
  e->terminate();
}

size_t thread_count() {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                                           std::filesystem::directory_iterator()));
}

TEST(Terminate, OnTheDeviceNoAudioThreadOutlivesTheEngine) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const size_t before = thread_count();
  {
    audio_engine e(make_device_audio_output());
    e.write("a.mid", testing::short_piece());
    ASSERT_TRUE(e->music_load(1, "a.mid"));
    e->music_play(1, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(e->music_isplaying());
    e->terminate();
    EXPECT_FALSE(e->music_isplaying());
    EXPECT_EQ(thread_count(), before);
  }
  EXPECT_EQ(thread_count(), before);
}

}  // namespace
}  // namespace varnel2d
