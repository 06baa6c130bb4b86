// Reading a standard MIDI file back into tracks of timed events, for checking what the composer
// wrote. The engine's structure check vouches for the chunks; the walk here also refuses running
// status, events past a track's end and a track that does not close with end of track.
#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/backends/midi_file.h"

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

inline std::vector<std::uint8_t> read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::uint32_t read_vlq(const std::vector<std::uint8_t>& bytes, std::size_t& at) {
  std::uint32_t value = 0;
  for (int count = 0; count < 4; ++count) {
    const std::uint8_t byte = bytes.at(at++);
    value = value << 7 | (byte & 0x7F);
    if ((byte & 0x80) == 0) return value;
  }
  throw std::runtime_error("variable-length quantity longer than four bytes");
}

inline File parse(const std::vector<std::uint8_t>& b) {
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
inline double seconds_at(const File& file, std::uint32_t tick) {
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
