// Test helper: reads a Standard MIDI File back into tracks of timed events,
// checking the chunk structure strictly.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace smf_reader {

struct Event {
    std::uint32_t tick;  // absolute
    std::uint8_t status;
    std::uint8_t data1 = 0;  // key, controller or program; the meta type for 0xFF
    std::uint8_t data2 = 0;  // velocity or controller value
    std::vector<std::uint8_t> payload{};  // meta and system exclusive data
};

struct Track {
    std::uint32_t declared_length;  // the chunk's length field
    std::vector<Event> events;
};

struct File {
    int format;
    int ticks_per_quarter;
    std::vector<Track> tracks;
};

// Decodes a variable-length quantity at `at`, advancing it; throws on overrun.
std::uint32_t read_vlq(const std::vector<std::uint8_t>& bytes, std::size_t& at);

// Parses a whole file; throws std::runtime_error when a chunk is malformed, the
// track count is wrong, a track's length field does not match its events, or
// a track does not close with end of track.
File parse(const std::vector<std::uint8_t>& bytes);

std::vector<std::uint8_t> read_bytes(const std::filesystem::path& path);

// Seconds at `tick` under the file's tempo events (120 bpm until the first).
double seconds_at(const File& file, std::uint32_t tick);

}  // namespace smf_reader
