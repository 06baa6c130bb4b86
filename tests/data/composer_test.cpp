// The composer's building blocks: the MIDI file writer, note and chord names, voicings and
// progressions.
#include <gtest/gtest.h>

#include <set>

#include "arrange.h"
#include "midi_events.h"
#include "smf.h"
#include "theory.h"

namespace {

TEST(SmfWriter, EncodesVariableLengthQuantitiesAndTrackChunks) {
  const std::vector<std::pair<std::uint32_t, smf::Bytes>> quantities = {{0, {0x00}},
                                                                        {127, {0x7F}},
                                                                        {128, {0x81, 0x00}},
                                                                        {0x3FFF, {0xFF, 0x7F}},
                                                                        {0x4000, {0x81, 0x80, 0x00}},
                                                                        {0x1FFFFF, {0xFF, 0xFF, 0x7F}},
                                                                        {0x200000, {0x81, 0x80, 0x80, 0x00}},
                                                                        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}}};
  for (const auto& [value, bytes] : quantities) {
    smf::Bytes out;
    smf::append_vlq(out, value);
    EXPECT_EQ(out, bytes) << value;
  }
  smf::Bytes out;
  EXPECT_THROW(smf::append_vlq(out, 0x10000000), std::out_of_range);

  smf::Track track;
  track.note_off(480, 0, 60);
  track.note_on(0, 0, 60, 64);
  // Delta 0, note-on; delta 480 (0x83 0x60), note-off; delta 0, end of track.
  const smf::Bytes body{0x00, 0x90, 60, 64, 0x83, 0x60, 0x80, 60, 64, 0x00, 0xFF, 0x2F, 0x00};
  smf::Bytes expected{'M', 'T', 'r', 'k', 0, 0, 0, static_cast<std::uint8_t>(body.size())};
  expected.insert(expected.end(), body.begin(), body.end());
  EXPECT_EQ(track.chunk(), expected);
}

TEST(SmfWriter, WritesFilesThatParseBackWithNoteOffsFirstAndRefusesOutOfRangeValues) {
  smf::Track same_tick;
  same_tick.note_on(0, 2, 64, 50);
  same_tick.note_on(240, 2, 64, 50);
  same_tick.note_off(240, 2, 64);
  same_tick.control_change(240, 2, 64, 127);
  const auto events = midi_events::parse(smf::file_bytes(0, 480, {same_tick})).tracks.at(0);
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[1].status, 0x82) << "the note-off comes first at the same tick";
  EXPECT_EQ(events[2].status, 0xB2);
  EXPECT_EQ(events[3].status, 0x92);
  EXPECT_EQ(events[3].tick, 240u);

  smf::Track conductor;
  conductor.track_name(0, "Conductor");
  conductor.time_signature(0, 3, 4);
  conductor.tempo(0, 857143);  // 70 bpm
  smf::Track part;
  part.program_change(0, 1, 46);
  part.note_on(0, 1, 62, 70);
  part.note_off(0x4000, 1, 62);
  const smf::Bytes bytes = smf::file_bytes(1, 480, {conductor, part});
  EXPECT_EQ((smf::Bytes(bytes.begin(), bytes.begin() + 14)),
            (smf::Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0}));
  const midi_events::File file = midi_events::parse(bytes);  // checks every length field
  ASSERT_EQ(file.tracks.size(), 2u);
  const auto& meta = file.tracks[0];
  ASSERT_EQ(meta.size(), 4u);
  EXPECT_EQ(std::string(meta[0].payload.begin(), meta[0].payload.end()), "Conductor");
  EXPECT_EQ(meta[1].payload, (std::vector<std::uint8_t>{3, 2, 24, 8}));
  EXPECT_EQ(meta[2].payload, (std::vector<std::uint8_t>{0x0D, 0x14, 0x37}));
  EXPECT_EQ(file.tracks[1].at(2).tick, 0x4000u);
  EXPECT_NEAR(midi_events::seconds_at(file, 480 * 70), 60.0, 1e-3);

  smf::Track track;
  EXPECT_THROW(track.note_on(0, 16, 60, 64), std::out_of_range);
  EXPECT_THROW(track.note_on(0, 0, 128, 64), std::out_of_range);
  EXPECT_THROW(track.note_on(0, 0, 60, 0), std::out_of_range);
  EXPECT_THROW(track.control_change(0, 0, 7, 128), std::out_of_range);
  EXPECT_THROW(track.time_signature(0, 4, 3), std::out_of_range);
  EXPECT_THROW(smf::file_bytes(0, 480, {track, track}), std::out_of_range);
}

TEST(Theory, ReadsNoteNamesAndChordSymbols) {
  for (const auto& [name, key] : std::vector<std::pair<const char*, int>>{
           {"C4", 60}, {"A4", 69}, {"Bb3", 58}, {"F#5", 78}, {"C-1", 0}, {"G9", 127}})
    EXPECT_EQ(theory::note(name), key) << name;
  for (const char* bad : {"", "H4", "C", "C#", "Cx4", "G#9", "C4 "})
    EXPECT_THROW(theory::note(bad), std::invalid_argument) << bad;

  const theory::Chord slash = theory::chord("D/F#");
  EXPECT_EQ(theory::chord_classes(slash), (std::vector<int>{2, 6, 9}));
  EXPECT_EQ(slash.bass, 6);
  EXPECT_EQ(theory::chord_classes(theory::chord("Bbmaj7")), (std::vector<int>{10, 2, 5, 9}));
  EXPECT_EQ(theory::chord("Gm7").bass, 7);
  for (const char* bad : {"", "X", "Cmaj13", "C/", "C/H"})
    EXPECT_THROW(theory::chord(bad), std::invalid_argument) << bad;
}

TEST(Theory, StepsThroughModesAndVoicesChordsCloseToThePreviousOne) {
  const theory::Scale d_dorian{theory::pitch_class("D"), theory::Mode::dorian};
  EXPECT_EQ(theory::scale_keys(d_dorian, 62, 74), (std::vector<int>{62, 64, 65, 67, 69, 71, 72, 74}));
  const theory::Scale f_major{theory::pitch_class("F"), theory::Mode::ionian};
  EXPECT_EQ(theory::scale_step(f_major, theory::note("D5"), -2), theory::note("Bb4"));
  EXPECT_EQ(theory::scale_step(f_major, theory::note("E4"), 3), theory::note("A4"));
  EXPECT_THROW(theory::scale_step(f_major, theory::note("B4"), 1), std::invalid_argument);

  const std::vector<int> c_major = theory::voice(theory::chord("C"), 3, 55, 72, {60, 64, 67});
  EXPECT_EQ(c_major, (std::vector<int>{60, 64, 67}));
  // C to F: the common tone C stays, E and G move up by step.
  EXPECT_EQ(theory::voice(theory::chord("F"), 3, 55, 72, c_major), (std::vector<int>{60, 65, 69}));
  const std::vector<int> seventh = theory::voice(theory::chord("G7"), 3, 55, 72, {});
  ASSERT_EQ(seventh.size(), 3u);
  EXPECT_TRUE(std::is_sorted(seventh.begin(), seventh.end()));
  // With three voices the third (B) and seventh (F) are kept, the fifth (D) dropped.
  std::set<int> classes;
  for (int key : seventh) {
    EXPECT_TRUE(key >= 55 && key <= 72) << key;
    classes.insert(key % 12);
  }
  EXPECT_TRUE(classes.contains(11) && classes.contains(5) && !classes.contains(2));
}

TEST(Arrange, ProgressionsFillTheirBarsAndMelodyTextBecomesNotes) {
  const auto spans = arrange::progression("C | Am F | Dm7:2 G7:1", 6, 3);
  ASSERT_EQ(spans.size(), 5u);
  EXPECT_DOUBLE_EQ(spans[1].beat, 9);
  EXPECT_DOUBLE_EQ(spans[2].length, 1.5);
  EXPECT_DOUBLE_EQ(spans[3].length, 2);
  EXPECT_DOUBLE_EQ(arrange::end_of(spans), 15);
  EXPECT_THROW(arrange::progression("C:2 G:2", 0, 3), std::invalid_argument);
  EXPECT_THROW(arrange::progression("C:1 G:1", 0, 3), std::invalid_argument);

  score::Part part{.name = "Test", .program = 0};
  EXPECT_DOUBLE_EQ(arrange::melody(part, 4, "E5:1.5 r:.5 | C5+G5:2", 60, 0), 8);
  ASSERT_EQ(part.notes.size(), 3u);
  EXPECT_EQ(part.notes[0].key, 76);
  EXPECT_DOUBLE_EQ(part.notes[1].beat, 6);
  EXPECT_DOUBLE_EQ(part.notes[2].length, 2);
  EXPECT_THROW(arrange::melody(part, 0, "E5", 60), std::invalid_argument);
  EXPECT_THROW(arrange::melody(part, 0, "E5:0", 60), std::invalid_argument);
}

}  // namespace
