// Test material for the audio tests and benchmarks: standard MIDI and RIFF MIDI files built in
// memory, 16-bit wave files, and level measurement of rendered output.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace varnel2d::testing {

inline void write_binary(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void put_big(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline void put_little(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline void put_tag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

// A note in a test piece, timed in ticks of 480 a quarter note (120 beats a minute: 960 a second).
struct midi_note {
  int channel;
  int key;
  int velocity;
  uint32_t start;
  uint32_t length;
};

inline constexpr uint32_t ticks_per_second = 960;

// A standard MIDI file of the given tracks (their event bytes, without the chunk headers) at 480
// ticks a quarter note.
inline std::vector<uint8_t> midi_with_tracks(const std::vector<std::vector<uint8_t>>& tracks, int format = 1) {
  std::vector<uint8_t> file;
  put_tag(file, "MThd");
  put_big(file, 6, 4);
  put_big(file, static_cast<uint32_t>(format), 2);
  put_big(file, static_cast<uint32_t>(tracks.size()), 2);
  put_big(file, 480, 2);
  for (const auto& track : tracks) {
    put_tag(file, "MTrk");
    put_big(file, static_cast<uint32_t>(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());
  }
  return file;
}

// A format-0 standard MIDI file: the programs set at tick 0 (index = channel), the notes, and the
// end of the track at `end_tick` (or at the last note-off when that is later).
inline std::vector<uint8_t> make_midi(const std::vector<midi_note>& notes, const std::vector<int>& programs,
                                      uint32_t end_tick = 0) {
  struct timed_event {
    uint32_t tick;
    int order;  // note-offs before note-ons at the same tick
    std::vector<uint8_t> bytes;
  };
  std::vector<timed_event> events;
  for (size_t channel = 0; channel < programs.size(); ++channel) {
    events.push_back({0, 0, {static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(programs[channel])}});
  }
  for (const midi_note& n : notes) {
    const auto status = static_cast<uint8_t>(n.channel);
    events.push_back({n.start, 2, {static_cast<uint8_t>(0x90 | status), static_cast<uint8_t>(n.key), static_cast<uint8_t>(n.velocity)}});
    events.push_back({n.start + n.length, 1, {static_cast<uint8_t>(0x80 | status), static_cast<uint8_t>(n.key), 0}});
    end_tick = std::max(end_tick, n.start + n.length);
  }
  events.push_back({end_tick, 3, {0xFF, 0x2F, 0x00}});
  std::stable_sort(events.begin(), events.end(),
                   [](const timed_event& a, const timed_event& b) { return a.tick != b.tick ? a.tick < b.tick : a.order < b.order; });
  std::vector<uint8_t> track;
  uint32_t now = 0;
  for (const timed_event& e : events) {
    uint32_t delta = e.tick - now;
    now = e.tick;
    uint8_t groups[5];
    int count = 0;
    groups[count++] = delta & 0x7F;
    while ((delta >>= 7) != 0) groups[count++] = static_cast<uint8_t>(0x80 | (delta & 0x7F));
    while (count > 0) track.push_back(groups[--count]);
    track.insert(track.end(), e.bytes.begin(), e.bytes.end());
  }
  return midi_with_tracks({track}, 0);
}

// Two seconds of piano: four quarter notes, C E G C.
inline std::vector<uint8_t> short_piece() {
  std::vector<midi_note> notes;
  const int keys[] = {60, 64, 67, 72};
  for (uint32_t i = 0; i < 4; ++i) notes.push_back({0, keys[i], 100, 480 * i, 480});
  return make_midi(notes, {0});
}

// One organ chord held for `seconds`.
inline std::vector<uint8_t> held_chord(uint32_t seconds) {
  std::vector<midi_note> notes;
  for (int key : {48, 55, 60, 64}) notes.push_back({0, key, 100, 0, seconds * ticks_per_second});
  return make_midi(notes, {19});
}

// `seconds` with no notes at all.
inline std::vector<uint8_t> silent_piece(uint32_t seconds) { return make_midi({}, {}, seconds * ticks_per_second); }

// Loud passages for gain measurements, eight seconds of chords at full velocity on every beat with
// drums on channel 10: `voices` melodic channels with different instruments, each playing `chord`
// notes spread over three octaves.
inline std::vector<uint8_t> loud_passage(int voices, int chord) {
  const std::vector<int> instruments = {0, 48, 61, 19, 33, 56, 73, 24, 30, 81, 89, 40, 52, 65, 4};
  std::vector<int> programs(16, 0);
  std::vector<int> channels;
  for (int channel = 0; static_cast<int>(channels.size()) < voices; ++channel) {
    if (channel == 9) continue;
    programs[static_cast<size_t>(channel)] = instruments[channels.size()];
    channels.push_back(channel);
  }
  const int steps[] = {0, 4, 7, 12};
  std::vector<midi_note> notes;
  for (uint32_t beat = 0; beat < 16; ++beat) {
    const int root = 48 + static_cast<int>((beat * 5) % 12);
    for (int channel : channels) {
      for (int i = 0; i < chord; ++i) notes.push_back({channel, root + steps[i] + 12 * (channel % 3 - 1), 127, beat * 480, 470});
    }
    for (int drum : {36, 38, 42, 49}) notes.push_back({9, drum, 127, beat * 480, 240});
  }
  return make_midi(notes, programs);
}

// A tutti: eight instruments in three-note chords (the level at full volume must not clip).
inline std::vector<uint8_t> tutti_passage() { return loud_passage(8, 3); }

// A crowded passage: fifteen instruments in four-note chords (must not clip at 80 %).
inline std::vector<uint8_t> crowded_passage() { return loud_passage(15, 4); }

// The MIDI data wrapped as a RIFF "RMID" file, after an odd-sized chunk that needs padding.
inline std::vector<uint8_t> make_rmi(const std::vector<uint8_t>& midi) {
  std::vector<uint8_t> body;
  put_tag(body, "RMID");
  put_tag(body, "DISP");
  put_little(body, 3, 4);
  body.insert(body.end(), {1, 2, 3, 0});
  put_tag(body, "data");
  put_little(body, static_cast<uint32_t>(midi.size()), 4);
  body.insert(body.end(), midi.begin(), midi.end());
  if (midi.size() % 2 != 0) body.push_back(0);
  std::vector<uint8_t> file;
  put_tag(file, "RIFF");
  put_little(file, static_cast<uint32_t>(body.size()), 4);
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

// A 16-bit PCM wave file; `samples` interleaved by channel.
inline std::vector<uint8_t> make_wav(int rate, int channels, const std::vector<int16_t>& samples) {
  std::vector<uint8_t> file;
  const auto data_bytes = static_cast<uint32_t>(samples.size() * 2);
  put_tag(file, "RIFF");
  put_little(file, 36 + data_bytes, 4);
  put_tag(file, "WAVE");
  put_tag(file, "fmt ");
  put_little(file, 16, 4);
  put_little(file, 1, 2);
  put_little(file, static_cast<uint32_t>(channels), 2);
  put_little(file, static_cast<uint32_t>(rate), 4);
  put_little(file, static_cast<uint32_t>(rate * channels * 2), 4);
  put_little(file, static_cast<uint32_t>(channels * 2), 2);
  put_little(file, 16, 2);
  put_tag(file, "data");
  put_little(file, data_bytes, 4);
  for (int16_t s : samples) put_little(file, static_cast<uint16_t>(s), 2);
  return file;
}

// Peak and RMS of interleaved stereo output, over one channel (0 left, 1 right) or both (-1).
struct signal_levels {
  double peak = 0.0;
  double rms = 0.0;
  double rms_db() const { return 20.0 * std::log10(std::max(rms, 1e-12)); }
};

inline signal_levels measure(const std::vector<float>& stereo, int channel = -1) {
  signal_levels levels;
  double sum = 0.0;
  size_t count = 0;
  for (size_t i = 0; i < stereo.size(); ++i) {
    if (channel >= 0 && static_cast<int>(i % 2) != channel) continue;
    const double v = stereo[i];
    levels.peak = std::max(levels.peak, std::fabs(v));
    sum += v * v;
    ++count;
  }
  levels.rms = count == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(count));
  return levels;
}

// Frames from the start of the output up to and including the last one that is not silent.
inline size_t sounding_frames(const std::vector<float>& stereo, double threshold = 1e-4) {
  for (size_t frame = stereo.size() / 2; frame > 0; --frame) {
    if (std::fabs(stereo[2 * frame - 2]) > threshold || std::fabs(stereo[2 * frame - 1]) > threshold) return frame;
  }
  return 0;
}

}  // namespace varnel2d::testing

// The screensaver's tests reach these helpers as brisenfall::testing as well.
namespace brisenfall::testing {
using namespace varnel2d::testing;
}  // namespace brisenfall::testing
