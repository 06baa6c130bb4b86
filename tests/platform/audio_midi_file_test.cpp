// Reading music files: the MIDI structure check, RIFF MIDI unwrapping and file failures.
#include "platform/midi_file.h"

#include <gtest/gtest.h>

#include "support/audio_test_files.h"
#include "support/test_files.h"

namespace brisenfall {
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

}  // namespace
}  // namespace brisenfall
