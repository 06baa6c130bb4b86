// Reading music files: the MIDI structure check, RIFF MIDI unwrapping and file failures.
#include "engine/backends/midi_file.h"

#include <gtest/gtest.h>

#include "support/audio_test_files.h"
#include "support/test_files.h"

namespace varnel2d {
namespace {

using testing::make_midi;
using testing::make_rmi;
using testing::short_piece;

TEST(MidiFile, AcceptsWellFormedMidiAndRejectsDamage) {
  const auto good = short_piece();
  EXPECT_TRUE(is_standard_midi(good));

  auto truncated = good;
  truncated.resize(truncated.size() - 3);
  EXPECT_FALSE(is_standard_midi(truncated)) << "the track chunk runs past the end";

  auto no_tracks = good;
  no_tracks[11] = 0;
  EXPECT_FALSE(is_standard_midi(no_tracks));

  auto more_tracks_than_present = good;
  more_tracks_than_present[11] = 2;
  EXPECT_FALSE(is_standard_midi(more_tracks_than_present));

  auto bad_format = good;
  bad_format[9] = 3;
  EXPECT_FALSE(is_standard_midi(bad_format));

  const std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!', '!'};
  EXPECT_FALSE(is_standard_midi(text));
}

TEST(MidiFile, SkipsUnknownChunksBeforeTheTracks) {
  auto midi = short_piece();
  std::vector<uint8_t> extra = {'X', 'f', 'I', 'n', 0, 0, 0, 2, 7, 7};
  midi.insert(midi.begin() + 14, extra.begin(), extra.end());
  EXPECT_TRUE(is_standard_midi(midi));
}

TEST(MidiFile, UnwrapsRiffMidiToItsDataChunk) {
  const auto midi = short_piece();
  ASSERT_EQ(midi.size() % 2, 1u) << "an odd size exercises the chunk padding";
  EXPECT_EQ(unwrap_rmi(make_rmi(midi)), midi);
  EXPECT_EQ(unwrap_rmi(midi), std::nullopt);
  auto cut = make_rmi(midi);
  cut.resize(cut.size() - 20);
  EXPECT_EQ(unwrap_rmi(cut), std::nullopt);
}

TEST(MidiFile, ReadsPlainAndWrappedFilesAndRejectsMissingOrInvalidOnes) {
  testing::temp_folder folder;
  const auto midi = short_piece();
  testing::write_binary(folder.path() / "a.mid", midi);
  testing::write_binary(folder.path() / "a.rmi", make_rmi(midi));
  testing::write_binary(folder.path() / "bad.mid", {'M', 'T', 'h', 'd', 0, 0});
  auto invalid_inside = midi;
  invalid_inside[0] = 'X';
  testing::write_binary(folder.path() / "bad.rmi", make_rmi(invalid_inside));

  EXPECT_EQ(read_midi_file(folder.path() / "a.mid"), midi);
  EXPECT_EQ(read_midi_file(folder.path() / "a.rmi"), midi);
  EXPECT_EQ(read_midi_file(folder.path() / "bad.mid"), std::nullopt);
  EXPECT_EQ(read_midi_file(folder.path() / "bad.rmi"), std::nullopt);
  EXPECT_EQ(read_midi_file(folder.path() / "missing.mid"), std::nullopt);
  EXPECT_EQ(read_midi_file(folder.path()), std::nullopt) << "a folder is not a file";
}

// Two tracks: bank selects carried from one track to the next, running status, a drum program,
// text and system-exclusive events to step over, and repeated programs.
std::vector<uint8_t> piece_with_programs() {
  return testing::midi_with_tracks({
      {0x00, 0xB0, 0x00, 0x08,                    // channel 1: bank 8
       0x00, 0xC0, 0x30,                          // program 48
       0x10, 0x31,                                // running status: program 49
       0x00, 0xFF, 0x03, 0x04, 'S', 'n', 'o', 'w',  // track name
       0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7,  // general MIDI on
       0x00, 0xC9, 0x10,                          // channel 10: drum kit 16
       0x00, 0x99, 0x24, 0x64,                    // a drum note
       0x81, 0x00, 0xC1, 0x13,                    // channel 2 after a two-byte delta: program 19
       0x00, 0xC0, 0x30,                          // program 48 again
       0x00, 0xFF, 0x2F, 0x00},
      {0x00, 0xC1, 0x13,                          // program 19 again
       0x00, 0xB1, 0x00, 0x02, 0x00, 0xC1, 0x05,  // bank 2, program 5
       0x00, 0xFF, 0x2F, 0x00},
  });
}

TEST(MidiPrograms, ListsEachSelectedInstrumentOnceWithItsBank) {
  const auto midi = piece_with_programs();
  ASSERT_TRUE(is_standard_midi(midi));
  const std::vector<midi_program> expected = {{8, 48}, {8, 49}, {128, 16}, {0, 19}, {2, 5}};
  EXPECT_EQ(midi_programs(midi), expected);
  EXPECT_EQ(midi_programs(short_piece()), (std::vector<midi_program>{{0, 0}}));
}

TEST(MidiPrograms, DamagedDataYieldsWhatCameBeforeTheDamage) {
  const auto midi = piece_with_programs();
  const auto full = midi_programs(midi);
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

}  // namespace
}  // namespace varnel2d
