// The audio platform: the level math, finding the SoundFont, reading music files, the instruments
// a piece selects, wave sounds and the mixer; music rendered offline with the real FluidSynth and
// the installed SoundFont; and the device output on SDL's dummy driver. Playing once, looping,
// replacing and stopping, the volume scale and the playback rate are checked through the engine's
// own sound and music operations (tests/engine/audio_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <thread>

#include <varnel2d/audio_output.h>
#include <varnel2d/testing/offline_audio_output.h>
#include "engine/backends/audio_levels.h"
#include "engine/backends/audio_system.h"
#include "engine/backends/instrument_keeper.h"
#include "engine/backends/midi_file.h"
#include "engine/backends/soundfont.h"
#include "engine/backends/wave_mixer.h"
#include "engine/backends/wave_sound.h"
#include "support/audio_test_files.h"
#include "support/temp_folder.h"

namespace varnel2d {
namespace {

using testing::measure;
using testing::short_piece;
using testing::sounding_frames;

TEST(AudioLevels, DecibelGainsTheMusicVolumeScaleThePanLawAndPlaybackLimits) {
  EXPECT_EQ(gain_from_hundredths(0), 1.0);
  EXPECT_NEAR(gain_from_hundredths(200), 1.2589254, 1e-6);
  EXPECT_GT(gain_from_hundredths(-9999), 0.0);
  EXPECT_EQ(gain_from_hundredths(-10000), 0.0);
  EXPECT_EQ(gain_from_hundredths(-25000), 0.0);
  // Clamped, and linear in decibels in between.
  for (const auto& [percent, hundredths] : {std::pair{0, -2500}, {80, -340}, {100, 200}, {150, 200}, {-5, -2500}})
    EXPECT_EQ(music_level_hundredths(percent), hundredths) << percent;
  EXPECT_EQ(music_level_hundredths(50) - music_level_hundredths(49), 27);
  // The pan attenuates the other side only (full left and right are the mixer test's), and is clamped.
  for (const auto& [pan, left, right] : {std::tuple{600, 0.5011872, 1.0}, {-30000, 1.0, 0.0}}) {
    EXPECT_NEAR(pan_gains(pan).left, left, 1e-6) << pan;
    EXPECT_NEAR(pan_gains(pan).right, right, 1e-6) << pan;
  }
  for (const auto& [volume, clamped] : {std::pair{300, 0}, {-12000, -10000}, {-1234, -1234}})
    EXPECT_EQ(clamp_wave_volume(volume), clamped) << volume;
  for (const auto& [hertz, rate] : {std::pair{11025, 11025}, {50, 100}, {500000, 200000}})
    EXPECT_EQ(wave_playback_rate(hertz, 22050), rate) << hertz;
}

void touch(const std::filesystem::path& file) { testing::write_binary(file, {0}); }

// The environment's file wins and is the only candidate; else FluidR3, then TimGM6mb, then any
// ".sf2" file by name.
TEST(Soundfont, TheNamedFileWinsThenFluidThenTimidityThenAnyByName) {
  testing::temp_folder folder;
  const auto in = [&](const char* name) { return folder.path() / name; };
  EXPECT_EQ(find_soundfont("", folder.path()), std::nullopt);
  touch(in("readme.txt"));
  EXPECT_EQ(find_soundfont(nullptr, folder.path()), std::nullopt);
  touch(in("zeta.sf2"));
  touch(in("beta.sf2"));
  EXPECT_EQ(find_soundfont(nullptr, folder.path()), in("beta.sf2"));
  touch(in("TimGM6mb.sf2"));
  EXPECT_EQ(find_soundfont(nullptr, folder.path()), in("TimGM6mb.sf2"));
  touch(in("FluidR3_GM.sf2"));
  EXPECT_EQ(find_soundfont("", folder.path()), in("FluidR3_GM.sf2"));
  EXPECT_EQ(find_soundfont(in("zeta.sf2").c_str(), folder.path()), in("zeta.sf2"));
  EXPECT_EQ(find_soundfont(in("gone.sf2").c_str(), folder.path()), std::nullopt);
  EXPECT_EQ(find_soundfont(nullptr, in("no-such-folder")), std::nullopt);
  // The gain follows the real file behind a link.
  std::filesystem::create_symlink(in("FluidR3_GM.sf2"), in("default-GM.sf2"));
  EXPECT_EQ(soundfont_gain(in("default-GM.sf2")), soundfont_gain(in("FluidR3_GM.sf2")));
  EXPECT_NE(soundfont_gain(in("FluidR3_GM.sf2")), soundfont_gain(in("TimGM6mb.sf2")));
}

TEST(MidiFile, AcceptsWellFormedMidiAndRejectsDamage) {
  const auto good = short_piece();
  EXPECT_TRUE(is_standard_midi(good));
  auto with_unknown_chunk = good;
  with_unknown_chunk.insert(with_unknown_chunk.begin() + 14, {'X', 'f', 'I', 'n', 0, 0, 0, 2, 7, 7});
  EXPECT_TRUE(is_standard_midi(with_unknown_chunk)) << "unknown chunks before the tracks are skipped";
  const std::tuple<const char*, size_t, uint8_t> damages[] = {
      {"no tracks", 11, 0}, {"more tracks than present", 11, 2}, {"format 3", 9, 3}};
  for (const auto& [what, at, value] : damages) {
    auto damaged = good;
    damaged[at] = value;
    EXPECT_FALSE(is_standard_midi(damaged)) << what;
  }
  EXPECT_FALSE(is_standard_midi(std::span(good).first(good.size() - 3))) << "the track chunk runs past the end";
  EXPECT_FALSE(is_standard_midi(std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!', '!'}));
}

TEST(MidiFile, ReadsPlainAndRiffWrappedFilesAndRejectsMissingOrInvalidOnes) {
  const auto midi = short_piece();
  ASSERT_EQ(midi.size() % 2, 1u) << "an odd size exercises the chunk padding";
  EXPECT_EQ(unwrap_rmi(testing::make_rmi(midi)), midi);
  EXPECT_EQ(unwrap_rmi(midi), std::nullopt);
  const auto wrapped = testing::make_rmi(midi);
  EXPECT_EQ(unwrap_rmi(std::span(wrapped).first(wrapped.size() - 20)), std::nullopt);

  // Plain, wrapped, cut short and missing files are the engine's music loading test's.
  testing::temp_folder folder;
  auto invalid_inside = midi;
  invalid_inside[0] = 'X';
  testing::write_binary(folder.path() / "bad.rmi", testing::make_rmi(invalid_inside));
  EXPECT_EQ(read_midi_file(folder.path() / "bad.rmi"), std::nullopt) << "a RIFF file around no MIDI data";
  EXPECT_EQ(read_midi_file(folder.path()), std::nullopt) << "a folder is not a file";
}

// Two tracks: bank selects carried from one track to the next, running status, a drum program,
// text and system-exclusive events to step over, and repeated programs.
TEST(MidiPrograms, ListsEachSelectedInstrumentOnceWithItsBankAndWhatCameBeforeDamage) {
  const auto midi = testing::midi_with_tracks({
      {0x00, 0xB0, 0x00, 0x08,                          // channel 1: bank 8
       0x00, 0xC0, 0x30,                                // program 48
       0x10, 0x31,                                      // running status: program 49
       0x00, 0xFF, 0x03, 0x04, 'S', 'n', 'o', 'w',      // track name
       0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7,  // general MIDI on
       0x00, 0xC9, 0x10,                                // channel 10: drum kit 16
       0x00, 0x99, 0x24, 0x64,                          // a drum note
       0x81, 0x00, 0xC1, 0x13,                          // channel 2 after a two-byte delta: program 19
       0x00, 0xC0, 0x30,                                // program 48 again
       0x00, 0xFF, 0x2F, 0x00},
      {0x00, 0xC1, 0x13,                          // program 19 again
       0x00, 0xB1, 0x00, 0x02, 0x00, 0xC1, 0x05,  // bank 2, program 5
       0x00, 0xFF, 0x2F, 0x00},
  });
  ASSERT_TRUE(is_standard_midi(midi));
  const std::vector<midi_program> full = {{8, 48}, {8, 49}, {128, 16}, {0, 19}, {2, 5}};
  EXPECT_EQ(midi_programs(midi), full);
  EXPECT_EQ(midi_programs(short_piece()), (std::vector<midi_program>{{0, 0}}));
  for (size_t length = 0; length < midi.size(); ++length) {
    const auto found = midi_programs(std::span(midi).first(length));
    ASSERT_LE(found.size(), full.size()) << "cut at " << length;
    EXPECT_TRUE(std::equal(found.begin(), found.end(), full.begin())) << "cut at " << length;
  }
  // Data bytes with no status before them, and a meta event longer than its track, end the track.
  EXPECT_TRUE(midi_programs(testing::midi_with_tracks({{0x00, 0x30, 0x00, 0xC0, 0x01}})).empty());
  EXPECT_EQ(midi_programs(testing::midi_with_tracks({{0x00, 0xC0, 0x01, 0x00, 0xFF, 0x01, 0x7F, 'x', 0x00, 0xC0, 0x02}})),
            (std::vector<midi_program>{{0, 1}}));
  EXPECT_TRUE(midi_programs(std::vector<uint8_t>{'R', 'I', 'F', 'F'}).empty());
}

// A piece selecting the given instruments in turn on channel 1 (bank select, then program).
std::vector<uint8_t> piece_selecting(const std::vector<midi_program>& instruments) {
  std::vector<uint8_t> track;
  for (const midi_program& chosen : instruments)
    track.insert(track.end(), {0x00, 0xB0, 0x00, static_cast<uint8_t>(chosen.bank), 0x00, 0xC0,
                               static_cast<uint8_t>(chosen.program)});
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  return testing::midi_with_tracks({track});
}

TEST(InstrumentKeeper, HoldsEveryPiecesInstrumentsOnceFallsBackToBankZeroAndNeedsASoundFont) {
  const auto soundfont = find_soundfont();
  ASSERT_TRUE(soundfont) << "no SoundFont installed: run scripts/setup";
  auto keeper = instrument_keeper::create(*soundfont);
  ASSERT_NE(keeper, nullptr);
  // Bank 100 exists in no General MIDI SoundFont: the synthesiser would play program 40 of bank 0.
  keeper->keep(piece_selecting({{0, 19}, {0, 40}, {100, 40}, {0, 19}}));
  EXPECT_EQ(keeper->kept(), (std::vector<midi_program>{{0, 19}, {0, 40}}));
  keeper->keep(testing::make_midi({{9, 36, 100, 0, 480}}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(keeper->kept(), (std::vector<midi_program>{{0, 19}, {0, 40}, {0, 0}, {128, 0}}))
      << "the drum channel's program comes from bank 128";
  keeper->keep(piece_selecting({{0, 40}, {0, 19}}));
  EXPECT_EQ(keeper->kept().size(), 4u) << "a piece of instruments already held adds nothing";

  testing::temp_folder folder;
  testing::write_binary(folder.path() / "empty.sf2", {});
  EXPECT_EQ(instrument_keeper::create(folder.path() / "empty.sf2"), nullptr);
  EXPECT_EQ(instrument_keeper::create(folder.path() / "missing.sf2"), nullptr);
}

constexpr int16_t level = 16384;  // 0.5 of full scale

class WaveMixerTest : public ::testing::Test {
 protected:
  // Loads a wave of `frames` constant frames (or a rising ramp) written at `rate`, `channels`.
  std::shared_ptr<const wave_sound> load(int rate, int channels, int frames, bool ramp = false) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames * channels; ++i) samples.push_back(ramp ? static_cast<int16_t>(i / channels) : level);
    testing::write_binary(folder.path() / "tone.wav", testing::make_wav(rate, channels, samples));
    auto loaded = load_wave(folder.path() / "tone.wav");
    EXPECT_TRUE(std::holds_alternative<wave_sound>(loaded));
    return std::make_shared<const wave_sound>(std::get<wave_sound>(std::move(loaded)));
  }

  std::vector<float> mix(int frames) {
    std::vector<float> out(2 * static_cast<size_t>(frames), 0.0f);
    mixer.mix(out.data(), frames);
    return out;
  }

  testing::temp_folder folder;
  wave_mixer mixer{audio_output_rate};
};

TEST_F(WaveMixerTest, LoadsMonoSixteenBitAsFloatStereoAndSaysWhyAFileIsRefused) {
  const auto sound = load(22050, 1, 1000);
  EXPECT_EQ(sound->rate, 22050);
  EXPECT_EQ(sound->file_frame_bytes, 2);
  ASSERT_EQ(sound->frames(), 1000);
  EXPECT_FLOAT_EQ(sound->samples[0], 0.5f);
  EXPECT_FLOAT_EQ(sound->samples[1], 0.5f) << "mono sounds on both sides at full level";

  testing::write_binary(folder.path() / "text.wav", {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e'});
  const std::vector<uint8_t> cut = testing::make_wav(22050, 1, {1, 2, 3});
  const std::tuple<std::variant<wave_sound, wave_error>, int32_t, const char*> refusals[] = {
      {load_wave(folder.path() / "none.wav"), wave_error_missing, "none.wav"},
      {load_wave(folder.path() / "text.wav"), wave_error_format, "text.wav"},
      {decode_wave(std::span(cut).first(30), "cut.wav"), wave_error_format, "cut.wav"},  // ends in the format
  };
  for (const auto& [result, number, name] : refusals) {
    ASSERT_TRUE(std::holds_alternative<wave_error>(result)) << name;
    EXPECT_EQ(std::get<wave_error>(result).number, number) << name;
    EXPECT_NE(std::get<wave_error>(result).description.find(name), std::string::npos) << name;
  }
}

TEST_F(WaveMixerTest, ANewVoiceIsSilentAndPlayRestartsAtTheGivenByte) {
  const int ramp = mixer.add(load(audio_output_rate, 2, 3000, true));
  EXPECT_EQ(sounding_frames(mix(1000)), 0u) << "a new voice is stopped";
  mixer.play(ramp, false, 4 * 1000 + 3);  // 1000 frames of 4 bytes, the odd bytes rounded down
  auto out = mix(1500);
  EXPECT_FLOAT_EQ(out[0], 1000.0f / 32768.0f);
  mixer.play(ramp, false, 0);
  out = mix(4000);
  EXPECT_EQ(out[2], 1.0f / 32768.0f) << "play starts again from the given byte";
  EXPECT_EQ(sounding_frames(out), 3000u);
  mixer.play(ramp, false, 4 * 1000 + 3);
  EXPECT_EQ(sounding_frames(mix(4000)), 2000u);
}

TEST_F(WaveMixerTest, VolumeAndPanInHundredthsOfADecibel) {
  const int voice = mixer.add(load(audio_output_rate, 1, 4410));
  const std::tuple<int32_t, int32_t, double, double> settings[] = {
      {-600, 0, 0.5 * 0.5011872, 0.5 * 0.5011872}, {0, -10000, 0.5, 0}, {0, 10000, 0, 0.5}, {-10000, 0, 0, 0}};
  for (const auto& [volume, pan, left, right] : settings) {
    SCOPED_TRACE(::testing::Message() << "volume " << volume << ", pan " << pan);
    mixer.set_volume(voice, volume);
    mixer.set_pan(voice, pan);
    mixer.play(voice, false, 0);
    const auto out = mix(4410);
    for (int side = 0; side < 2; ++side) {
      const double peak = measure(out, side).peak, expected = side == 0 ? left : right;
      if (expected == 0)
        EXPECT_EQ(peak, 0.0) << "side " << side << " is silent";
      else
        EXPECT_NEAR(peak, expected, 1e-6) << "side " << side;
    }
  }
}

TEST_F(WaveMixerTest, VoicesMixIndependently) {
  const int left = mixer.add(load(audio_output_rate, 1, 2000));
  const int right = mixer.add(load(audio_output_rate, 1, 4000));
  mixer.set_pan(left, -10000);
  mixer.set_pan(right, 10000);
  mixer.play(left, false, 0);
  mixer.play(right, false, 0);
  const auto out = mix(6000);
  EXPECT_EQ(sounding_frames(out), 4000u);
  EXPECT_NEAR(out[2 * 1000], 0.5f, 1e-6);
  EXPECT_EQ(out[2 * 3000], 0.0f) << "the shorter left voice has ended";
  EXPECT_NEAR(out[2 * 3000 + 1], 0.5f, 1e-6);
  mixer.remove(right);
  mixer.play(left, false, 0);
  EXPECT_EQ(sounding_frames(mix(6000)), 2000u);
}

// A quiet solo line renders around -45 dBFS RMS; silence is below -100.
constexpr double audible_db = -55.0;

// Playing once, looping, replacing and stopping a piece and the volume scale are checked through
// the engine's music operations; here a count of plays the engine never asks for, and loud
// passages at the master levels the show uses.
TEST(MusicOffline, PlaysAsOftenAsAskedLoudPassagesNeitherClipNorWhisperAndCloseEndsIt) {
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
  audio.close();
  EXPECT_FALSE(audio.music_playing());
  EXPECT_FALSE(audio.music_available());
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
  // Name, bytes (none: the file does not exist), and the reason given.
  const std::tuple<const char*, std::optional<std::vector<uint8_t>>, const char*> soundfonts[] = {
      {"missing.sf2", std::nullopt, "named by BRISENFALL_SOUNDFONT does not exist"},
      {"garbage.sf2", garbage, "(not a SoundFont)"},
      {"riff-only.sf2", std::vector<uint8_t>{'R', 'I', 'F', 'F', 0, 0}, "(not a SoundFont)"},
      {"cut.sf2", installed_start, "(cut short: 65536 of "},
  };
  for (const auto& [name, bytes, reason] : soundfonts) {
    SCOPED_TRACE(name);
    const auto file = folder.path() / name;
    if (bytes) testing::write_binary(file, *bytes);
    setenv(soundfont_variable, file.c_str(), 1);
    ::testing::internal::CaptureStderr();
    audio_system named(std::make_unique<offline_audio_output>(), find_soundfont());
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(named.music_available());
    EXPECT_TRUE(named.sound_available());
    EXPECT_EQ(said.rfind("varnel2d: the SoundFont " + file.string() + " ", 0), 0u) << said;
    EXPECT_NE(said.find(reason), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
  unsetenv(soundfont_variable);
}

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
  EXPECT_EQ(thread_count(), threads_before) << "the engine's terminate test does the same with music playing";
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
