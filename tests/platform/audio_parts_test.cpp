// The audio system's parts: the level math, finding the SoundFont, reading music files, the
// instruments a piece selects, and the instrument keeper with the installed SoundFont.
#include <gtest/gtest.h>

#include "engine/backends/audio_levels.h"
#include "engine/backends/instrument_keeper.h"
#include "engine/backends/midi_file.h"
#include "engine/backends/soundfont.h"
#include "support/audio_test_files.h"
#include "support/temp_folder.h"

namespace varnel2d {
namespace {

using testing::short_piece;

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
  EXPECT_EQ(clamp_wave_volume(300), 0);
  EXPECT_EQ(clamp_wave_volume(-12000), -10000);
  EXPECT_EQ(clamp_wave_volume(-1234), -1234);
  EXPECT_EQ(wave_playback_rate(11025, 22050), 11025);
  EXPECT_EQ(wave_playback_rate(50, 22050), 100);
  EXPECT_EQ(wave_playback_rate(500000, 22050), 200000);
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

  testing::temp_folder folder;
  auto invalid_inside = midi;
  invalid_inside[0] = 'X';
  const std::tuple<const char*, std::vector<uint8_t>, bool> files[] = {
      {"a.mid", midi, true}, {"a.rmi", wrapped, true}, {"bad.mid", {'M', 'T', 'h', 'd', 0, 0}, false},
      {"bad.rmi", testing::make_rmi(invalid_inside), false}};
  for (const auto& [name, bytes, valid] : files) {
    testing::write_binary(folder.path() / name, bytes);
    EXPECT_EQ(read_midi_file(folder.path() / name), valid ? std::optional(midi) : std::nullopt) << name;
  }
  EXPECT_EQ(read_midi_file(folder.path() / "missing.mid"), std::nullopt);
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

}  // namespace
}  // namespace varnel2d
