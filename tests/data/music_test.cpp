// The four built-in pieces in data/: their structure as MIDI files, their sound when rendered
// offline by the fluidsynth program with the General MIDI SoundFont the show prefers, and that the
// composer writes them byte for byte; then the composer's refusals and range edges.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>

#include "arrange.h"
#include "engine/backends/midi_file.h"
#include "engine/backends/wave_sound.h"
#include "pieces.h"
#include "score.h"
#include "smf.h"
#include "support/audio_test_files.h"
#include "support/child_process.h"
#include "support/temp_folder.h"
#include "theory.h"

// Reading a standard MIDI file back into tracks of timed events, for checking what the composer
// wrote. The engine's structure check vouches for the chunks; the walk here also refuses running
// status, events past a track's end and a track that does not close with end of track.
namespace midi_events {

struct Event {
  std::uint32_t tick;                         // absolute
  std::uint8_t status, data1 = 0, data2 = 0;  // data1 is the meta type for 0xFF
  std::vector<std::uint8_t> payload{};        // meta and system exclusive data
};

struct File {
  int format, division;
  std::vector<std::vector<Event>> tracks;
};

std::vector<std::uint8_t> read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t read_vlq(const std::vector<std::uint8_t>& bytes, std::size_t& at) {
  std::uint32_t value = 0;
  for (int count = 0; count < 4; ++count) {
    const std::uint8_t byte = bytes.at(at++);
    value = value << 7 | (byte & 0x7F);
    if ((byte & 0x80) == 0) return value;
  }
  throw std::runtime_error("variable-length quantity longer than four bytes");
}

File parse(const std::vector<std::uint8_t>& b) {
  if (!varnel2d::is_standard_midi(b) || b[7] != 6)
    throw std::runtime_error("not a standard MIDI file with a six-byte header");
  File file{b[8] << 8 | b[9], b[12] << 8 | b[13], {}};
  for (std::size_t at = 14; at < b.size();) {
    if (at + 8 > b.size() || std::string(b.begin() + at, b.begin() + at + 4) != "MTrk")
      throw std::runtime_error("a chunk other than MTrk");
    const std::size_t end = at + 8 + (std::size_t{b[at + 4]} << 24 | b[at + 5] << 16 | b[at + 6] << 8 | b[at + 7]);
    std::vector<Event>& events = file.tracks.emplace_back();
    auto ended = [&] { return !events.empty() && events.back().status == 0xFF && events.back().data1 == 0x2F; };
    std::uint32_t tick = 0;
    for (at += 8; at < end && !ended();) {
      Event event{tick += read_vlq(b, at), b.at(at++)};
      if (event.status < 0x80) throw std::runtime_error("running status or a stray data byte");
      if (event.status >= 0xF0) {
        if (event.status == 0xFF) event.data1 = b.at(at++);
        const std::uint32_t length = read_vlq(b, at);
        if (at + length > end) throw std::runtime_error("a meta or system exclusive event runs past its track");
        event.payload.assign(b.begin() + at, b.begin() + at + length);
        at += length;
      } else {
        event.data1 = b.at(at++);
        if ((event.status & 0xE0) != 0xC0) event.data2 = b.at(at++);
      }
      events.push_back(std::move(event));
    }
    if (at != end || !ended())
      throw std::runtime_error("a track does not close with end of track at its stated length");
  }
  return file;
}

// Seconds at `tick` under the file's tempo events (120 bpm until the first).
double seconds_at(const File& file, std::uint32_t tick) {
  std::map<std::uint32_t, double> tempo{{0, 0.5}};
  for (const auto& track : file.tracks)
    for (const Event& e : track)
      if (e.status == 0xFF && e.data1 == 0x51 && e.payload.size() == 3)
        tempo[e.tick] = (e.payload[0] << 16 | e.payload[1] << 8 | e.payload[2]) / 1e6;
  double seconds = 0;
  for (auto mark = tempo.begin(); mark != tempo.end() && mark->first < tick; ++mark) {
    const auto next = std::next(mark);
    seconds +=
        ((next == tempo.end() ? tick : std::min(tick, next->first)) - mark->first) * mark->second / file.division;
  }
  return seconds;
}

}  // namespace midi_events

namespace {

namespace fs = std::filesystem;
using midi_events::Event;

// The master gain the engine sets for FluidR3_GM; the pieces must neither clip nor whisper at it.
constexpr double fluidr3_gain = 0.2;
// Soft piano writing at that gain measures about -36 dBFS (a single fortissimo piano note peaks
// at -18.6 dBFS); below this a piece is whispering.
constexpr double min_rms_dbfs = -37.0;
constexpr double max_peak_dbfs = -1.0;
constexpr double silence_dbfs = -60.0;
constexpr double max_silence_seconds = 2.0;
// FluidSynth keeps rendering while voices release, a few seconds past the last note.
constexpr double max_tail_seconds = 10.0;

struct Expected {
  const char* file;
  std::function<score::Piece()> compose;
  std::set<int> programs;  // program change values
  bool pedal;
};

// Test names and messages show the file, not the bytes of the record.
void PrintTo(const Expected& expected, std::ostream* out) { *out << expected.file; }

std::string data_file(const char* name) { return std::string(BRISENFALL_DATA_DIR) + "/" + name; }

// What the tests need to know about one file, gathered in one pass.
struct Summary {
  midi_events::File file{};
  std::set<int> programs{};
  std::vector<double> tempi{};        // bpm, in order
  std::vector<std::string> faults{};  // notes left sounding, restruck or released twice
  bool pedal_used = false, pedal_down_at_end = false;
  bool every_part_has_space = true;                  // reverb and chorus sends on each part track
  int note_ons = 0, soft_note_ons = 0, loudest = 0;  // soft: velocity 40..80
  std::uint32_t first_note = UINT32_MAX, last_release = 0;
};

Summary summarise(const std::string& path) {
  Summary s{midi_events::parse(midi_events::read_bytes(path))};
  for (const auto& track : s.file.tracks) {
    std::map<int, std::uint32_t> sounding;  // channel * 128 + key -> onset
    std::set<int> sends;
    bool pedal_down = false;
    for (const Event& e : track) {
      const int kind = e.status & 0xF0, id = (e.status & 0x0F) * 128 + e.data1;
      const std::string key = "key " + std::to_string(e.data1);
      if (e.status == 0xFF && e.data1 == 0x51)
        s.tempi.push_back(60e6 / (e.payload.at(0) << 16 | e.payload.at(1) << 8 | e.payload.at(2)));
      if (kind == 0xC0) s.programs.insert(e.data1);
      if (kind == 0xB0 && (e.data1 == 91 || e.data1 == 93) && e.data2 > 0) sends.insert(e.data1);
      if (kind == 0xB0 && e.data1 == 64) s.pedal_used = true, pedal_down = e.data2 >= 64;
      if (kind == 0x90 && e.data2 > 0) {
        if (sounding.contains(id))
          s.faults.push_back(key + " struck again while sounding at tick " + std::to_string(e.tick));
        sounding[id] = e.tick;
        ++s.note_ons;
        s.soft_note_ons += e.data2 >= 40 && e.data2 <= 80;
        s.loudest = std::max<int>(s.loudest, e.data2);
        s.first_note = std::min(s.first_note, e.tick);
      } else if (kind == 0x80 || kind == 0x90) {
        if (sounding.erase(id) == 0)
          s.faults.push_back(key + " released without sounding at tick " + std::to_string(e.tick));
        s.last_release = std::max(s.last_release, e.tick);
      }
    }
    for (const auto& [id, onset] : sounding)
      s.faults.push_back("key " + std::to_string(id % 128) + " from tick " + std::to_string(onset) + " never released");
    s.pedal_down_at_end = s.pedal_down_at_end || pedal_down;
    if (&track != &s.file.tracks.front()) s.every_part_has_space = s.every_part_has_space && sends.size() == 2;
  }
  return s;
}

class MusicFile : public testing::TestWithParam<Expected> {};

TEST_P(MusicFile, IsACalmTypeOnePieceOfItsInstrumentsAsTheComposerWritesIt) {
  const Summary s = summarise(data_file(GetParam().file));
  EXPECT_EQ(s.file.format, 1);
  ASSERT_GE(s.file.tracks.size(), 2u);
  bool tempo = false, time_signature = false;
  for (const Event& e : s.file.tracks.front()) {
    EXPECT_EQ(e.status, 0xFF) << "the conductor track holds only meta events";
    tempo = tempo || e.data1 == 0x51;
    time_signature = time_signature || e.data1 == 0x58;
  }
  EXPECT_TRUE(tempo && time_signature);
  for (std::size_t i = 1; i < s.file.tracks.size(); ++i) {
    std::set<int> channels;
    for (const Event& e : s.file.tracks[i])
      if (e.status < 0xF0) channels.insert(e.status & 0x0F);
    EXPECT_EQ(channels.size(), 1u) << "track " << i << " plays one instrument on one channel";
    EXPECT_FALSE(channels.contains(9)) << "track " << i << " is on the drum channel";
  }

  EXPECT_EQ(s.programs, GetParam().programs);
  EXPECT_EQ(s.pedal_used, GetParam().pedal);
  EXPECT_TRUE(s.every_part_has_space) << "every part sends to reverb (91) and chorus (93)";

  ASSERT_FALSE(s.tempi.empty());
  EXPECT_TRUE(s.tempi.front() >= 60.0 && s.tempi.front() <= 90.0) << s.tempi.front() << " bpm";
  for (double bpm : s.tempi)
    EXPECT_TRUE(bpm >= 40.0 && bpm <= 90.0) << bpm << " bpm";  // a closing ritardando may go below 60
  const double length = midi_events::seconds_at(s.file, s.last_release);
  EXPECT_TRUE(length >= 90.0 && length <= 180.0) << length << " s";
  ASSERT_GT(s.note_ons, 0);
  EXPECT_GE(s.soft_note_ons * 3, s.note_ons * 2) << "most velocities lie in 40..80";
  EXPECT_LE(s.loudest, 96);

  for (const std::string& fault : s.faults) ADD_FAILURE() << fault;
  EXPECT_FALSE(s.pedal_down_at_end) << "the sustain pedal is lifted at the end";

  const std::vector<std::uint8_t> written = score::render(GetParam().compose());
  EXPECT_EQ(written, score::render(GetParam().compose())) << "the composer is deterministic";
  EXPECT_TRUE(written == midi_events::read_bytes(data_file(GetParam().file)))
      << "data/" << GetParam().file << " is stale: run brisenfall-compose data";
}

// Peak and RMS of the rendered sound over [from, to) seconds.
varnel2d::testing::signal_levels levels(const varnel2d::wave_sound& sound, double from, double to) {
  auto sample = [&](double seconds) {
    return sound.samples.begin() + 2 * std::clamp<std::int64_t>(std::int64_t(seconds * sound.rate), 0, sound.frames());
  };
  return varnel2d::testing::measure(std::vector<float>(sample(from), sample(to)));
}

TEST_P(MusicFile, SoundsCleanAndAudibleWhenRendered) {
  ASSERT_TRUE(fs::exists(BRISENFALL_GM_SOUNDFONT)) << "install fluid-soundfont-gm";
  const Summary summary = summarise(data_file(GetParam().file));
  const double start = midi_events::seconds_at(summary.file, summary.first_note);
  const double end = midi_events::seconds_at(summary.file, summary.last_release);

  varnel2d::testing::temp_folder folder;
  // A 16-bit stereo wave at 44.1 kHz.
  varnel2d::testing::child_process fluidsynth(
      {BRISENFALL_FLUIDSYNTH, "-n", "-i", "-q", "-g", std::to_string(fluidr3_gain), "-r", "44100", "-T", "wav", "-O",
       "s16", "-F", folder.file("piece.wav"), BRISENFALL_GM_SOUNDFONT, data_file(GetParam().file)},
      {});
  ASSERT_EQ(fluidsynth.wait_for_exit(std::chrono::seconds(100)), 0);
  const auto decoded = varnel2d::load_wave(folder.file("piece.wav"));
  ASSERT_TRUE(std::holds_alternative<varnel2d::wave_sound>(decoded));
  const auto& sound = std::get<varnel2d::wave_sound>(decoded);
  const double seconds = static_cast<double>(sound.frames()) / sound.rate;
  EXPECT_EQ(sound.rate, 44100);
  EXPECT_TRUE(seconds >= end && seconds <= end + max_tail_seconds) << seconds << " s";

  const double peak = 20 * std::log10(levels(sound, 0, seconds).peak), rms = levels(sound, start, end).rms_db();
  EXPECT_LE(peak, max_peak_dbfs) << "clipping";
  EXPECT_GE(rms, min_rms_dbfs) << "whispering";
  double quiet = 0, longest_quiet = 0;  // in 100 ms windows
  for (double at = start; at + 0.1 <= end; at += 0.1) {
    quiet = levels(sound, at, at + 0.1).rms_db() < silence_dbfs ? quiet + 0.1 : 0;
    longest_quiet = std::max(longest_quiet, quiet);
  }
  EXPECT_LE(longest_quiet, max_silence_seconds + 1e-9);

  // The ending fades: the last three seconds are well below the piece as a whole.
  EXPECT_LE(levels(sound, end - 3, end).rms_db(), rms - 6) << "the ending does not fade";
  // Sections differ in loudness: compare ten-second stretches before the coda.
  double loudest = -200, quietest = 0;
  for (double at = start; at + 10 <= end - 15; at += 10) {
    const double level = levels(sound, at, at + 10).rms_db();
    loudest = std::max(loudest, level);
    quietest = std::min(quietest, level);
  }
  EXPECT_GE(loudest - quietest, 2.0) << "the dynamics never change";
}

INSTANTIATE_TEST_SUITE_P(BuiltIn, MusicFile,
                         testing::Values(
                             // celesta, glockenspiel, strings; piano; music box, choir; harp, flute, strings
                             Expected{"music1.mid", pieces::first_snow, {8, 9, 48}, false},
                             Expected{"music2.mid", pieces::lamplight_nocturne, {0}, true},
                             Expected{"music3.mid", pieces::music_box_lullaby, {10, 52}, false},
                             Expected{"music4.mid", pieces::winter_pastorale, {46, 73, 48}, false}),
                         [](const testing::TestParamInfo<Expected>& piece) {
                           return fs::path(piece.param.file).stem().string();
                         });

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
