// The instrument keeper with the installed SoundFont: which instruments it holds for the pieces
// it is given, the fallback for instruments the SoundFont lacks, and a SoundFont is damaged or missing.
#include "engine/backends/instrument_keeper.h"

#include <gtest/gtest.h>

#include "engine/backends/soundfont.h"
#include "support/audio_test_files.h"
#include "support/test_files.h"

namespace varnel2d {
namespace {

// A piece selecting the given instruments in turn on channel 1 (bank select, then program).
std::vector<uint8_t> piece_selecting(const std::vector<midi_program>& instruments) {
  std::vector<uint8_t> track;
  for (const midi_program& chosen : instruments) {
    const std::vector<uint8_t> events = {0x00, 0xB0, 0x00, static_cast<uint8_t>(chosen.bank), 0x00, 0xC0,
                                         static_cast<uint8_t>(chosen.program)};
    track.insert(track.end(), events.begin(), events.end());
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  return testing::midi_with_tracks({track});
}

TEST(InstrumentKeeper, HoldsEveryPiecesInstrumentsOnceAndFallsBackToBankZero) {
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
}

TEST(InstrumentKeeper, NothingForADamagedOrMissingSoundFont) {
  testing::temp_folder folder;
  testing::write_binary(folder.path() / "empty.sf2", {});
  EXPECT_EQ(instrument_keeper::create(folder.path() / "empty.sf2"), nullptr);
  EXPECT_EQ(instrument_keeper::create(folder.path() / "missing.sf2"), nullptr);
}

}  // namespace
}  // namespace varnel2d
