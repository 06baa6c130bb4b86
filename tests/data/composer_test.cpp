// The composer's refusals and range edges. What it writes is checked byte for byte by the music
// test, which composes every piece afresh and compares it with the committed file.
#include <gtest/gtest.h>

#include <functional>

#include "arrange.h"
#include "smf.h"
#include "theory.h"

namespace {

TEST(Composer, AcceptsTheEdgesOfEachRangeAndRefusesWhatLiesBeyond) {
  smf::Bytes out;
  smf::append_vlq(out, smf::max_vlq);
  EXPECT_EQ(out, (smf::Bytes{0xFF, 0xFF, 0xFF, 0x7F}));
  EXPECT_EQ(theory::note("C-1"), 0);
  EXPECT_EQ(theory::note("G9"), 127);

  smf::Track track;
  score::Part part{.name = "Test", .program = 0};
  const theory::Scale f_major{theory::pitch_class("F"), theory::Mode::ionian};
  const std::pair<const char*, std::function<void()>> refused[] = {
      {"a quantity past four bytes", [&] { smf::append_vlq(out, smf::max_vlq + 1); }},
      {"channel 16", [&] { track.note_on(0, 16, 60, 64); }},
      {"key 128", [&] { track.note_on(0, 0, 128, 64); }},
      {"velocity 0", [&] { track.note_on(0, 0, 60, 0); }},
      {"controller value 128", [&] { track.control_change(0, 0, 7, 128); }},
      {"denominator 3", [&] { track.time_signature(0, 4, 3); }},
      {"two tracks in format 0", [&] { smf::file_bytes(0, 480, {track, track}); }},
      {"note H4", [] { theory::note("H4"); }},
      {"note G#9", [] { theory::note("G#9"); }},
      {"note C4 with a space", [] { theory::note("C4 "); }},
      {"chord Cmaj13", [] { theory::chord("Cmaj13"); }},
      {"chord C/ with no bass", [] { theory::chord("C/"); }},
      {"a step from outside the scale", [&] { theory::scale_step(f_major, theory::note("B4"), 1); }},
      {"bars overfilled", [] { arrange::progression("C:2 G:2", 0, 3); }},
      {"bars underfilled", [] { arrange::progression("C:1 G:1", 0, 3); }},
      {"a melody word without beats", [&] { arrange::melody(part, 0, "E5", 60); }},
      {"a melody note of no length", [&] { arrange::melody(part, 0, "E5:0", 60); }},
  };
  for (const auto& [what, call] : refused) EXPECT_ANY_THROW(call()) << what;
}

}  // namespace
