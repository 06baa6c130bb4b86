// A small Standard MIDI File writer: variable-length quantities, tracks of
// timed events, and the header and track chunks of a type-1 file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace smf {

using Bytes = std::vector<std::uint8_t>;

// Largest value a variable-length quantity may hold (four bytes of seven bits).
inline constexpr std::uint32_t max_vlq = 0x0FFFFFFF;

// Appends `value` as a variable-length quantity; throws std::out_of_range above max_vlq.
void append_vlq(Bytes& out, std::uint32_t value);

// One track: events at absolute ticks, written in time order with delta times.
// Every event carries its full status byte (no running status).
class Track {
public:
    void note_on(std::uint32_t tick, int channel, int key, int velocity);
    void note_off(std::uint32_t tick, int channel, int key);
    void program_change(std::uint32_t tick, int channel, int program);
    void control_change(std::uint32_t tick, int channel, int controller, int value);
    // Meta events.
    void track_name(std::uint32_t tick, std::string_view name);
    void tempo(std::uint32_t tick, std::uint32_t microseconds_per_quarter);
    void time_signature(std::uint32_t tick, int numerator, int denominator);

    // The whole "MTrk" chunk: events sorted by tick (at one tick: note-offs,
    // then meta and control events, then note-ons), closed by end of track.
    Bytes chunk() const;

private:
    struct Event {
        std::uint32_t tick;
        int rank;  // order among events at the same tick
        Bytes data;
    };
    void add(std::uint32_t tick, int rank, Bytes data);
    std::vector<Event> events_;
};

// A complete file: "MThd" header (format, track count, ticks per quarter note) and the track chunks.
Bytes file_bytes(int format, int ticks_per_quarter, const std::vector<Track>& tracks);

// Writes `bytes` to `path` through a temporary file beside it, so a failed write
// leaves any earlier file untouched; throws std::runtime_error with the path on failure.
void write_file(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace smf
