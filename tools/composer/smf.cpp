// Standard MIDI File writer: event encoding and chunk layout.
#include "smf.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace smf {
namespace {

enum Rank { rank_note_off = 0, rank_setting = 1, rank_note_on = 2 };

void check_range(int value, int low, int high, const char* what)
{
    if (value < low || value > high)
        throw std::out_of_range(std::string(what) + " " + std::to_string(value) + " is outside "
                                + std::to_string(low) + ".." + std::to_string(high));
}

std::uint8_t status(int kind, int channel)
{
    check_range(channel, 0, 15, "MIDI channel");
    return static_cast<std::uint8_t>(kind | channel);
}

std::uint8_t data_byte(int value, const char* what)
{
    check_range(value, 0, 127, what);
    return static_cast<std::uint8_t>(value);
}

void append_u32(Bytes& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void append_u16(Bytes& out, int value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

Bytes meta(int type, const Bytes& payload)
{
    Bytes out{0xFF, static_cast<std::uint8_t>(type)};
    append_vlq(out, static_cast<std::uint32_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

}  // namespace

void append_vlq(Bytes& out, std::uint32_t value)
{
    if (value > max_vlq)
        throw std::out_of_range("variable-length quantity " + std::to_string(value) + " exceeds 0x0FFFFFFF");
    std::uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1)
        out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

void Track::add(std::uint32_t tick, int rank, Bytes data)
{
    events_.push_back({tick, rank, std::move(data)});
}

void Track::note_on(std::uint32_t tick, int channel, int key, int velocity)
{
    check_range(velocity, 1, 127, "note-on velocity");
    add(tick, rank_note_on, {status(0x90, channel), data_byte(key, "MIDI key"), data_byte(velocity, "velocity")});
}

void Track::note_off(std::uint32_t tick, int channel, int key)
{
    add(tick, rank_note_off, {status(0x80, channel), data_byte(key, "MIDI key"), 64});
}

void Track::program_change(std::uint32_t tick, int channel, int program)
{
    add(tick, rank_setting, {status(0xC0, channel), data_byte(program, "program")});
}

void Track::control_change(std::uint32_t tick, int channel, int controller, int value)
{
    add(tick, rank_setting,
        {status(0xB0, channel), data_byte(controller, "controller"), data_byte(value, "controller value")});
}

void Track::track_name(std::uint32_t tick, std::string_view name)
{
    add(tick, rank_setting, meta(0x03, Bytes(name.begin(), name.end())));
}

void Track::tempo(std::uint32_t tick, std::uint32_t microseconds_per_quarter)
{
    if (microseconds_per_quarter == 0 || microseconds_per_quarter > 0xFFFFFF)
        throw std::out_of_range("tempo " + std::to_string(microseconds_per_quarter) + " microseconds per quarter note");
    Bytes payload;
    for (int shift = 16; shift >= 0; shift -= 8)
        payload.push_back(static_cast<std::uint8_t>(microseconds_per_quarter >> shift));
    add(tick, rank_setting, meta(0x51, payload));
}

void Track::time_signature(std::uint32_t tick, int numerator, int denominator)
{
    check_range(numerator, 1, 32, "time signature numerator");
    int power = 0;
    while ((1 << power) < denominator)
        ++power;
    if ((1 << power) != denominator || power > 6)
        throw std::out_of_range("time signature denominator " + std::to_string(denominator) + " is not 1..64 as a power of two");
    // 24 MIDI clocks per metronome click, eight 32nd notes per quarter.
    Bytes payload{static_cast<std::uint8_t>(numerator), static_cast<std::uint8_t>(power), 24, 8};
    add(tick, rank_setting, meta(0x58, payload));
}

Bytes Track::chunk() const
{
    std::vector<const Event*> order;
    for (const Event& event : events_)
        order.push_back(&event);
    std::stable_sort(order.begin(), order.end(), [](const Event* a, const Event* b) {
        return a->tick != b->tick ? a->tick < b->tick : a->rank < b->rank;
    });

    Bytes body;
    std::uint32_t now = 0;
    for (const Event* event : order) {
        append_vlq(body, event->tick - now);
        body.insert(body.end(), event->data.begin(), event->data.end());
        now = event->tick;
    }
    append_vlq(body, 0);
    const Bytes end_of_track = meta(0x2F, {});
    body.insert(body.end(), end_of_track.begin(), end_of_track.end());

    Bytes out{'M', 'T', 'r', 'k'};
    append_u32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes file_bytes(int format, int ticks_per_quarter, const std::vector<Track>& tracks)
{
    check_range(format, 0, 2, "file format");
    check_range(ticks_per_quarter, 1, 0x7FFF, "ticks per quarter note");
    if (tracks.empty() || tracks.size() > 0xFFFF || (format == 0 && tracks.size() != 1))
        throw std::out_of_range("a format " + std::to_string(format) + " file cannot hold "
                                + std::to_string(tracks.size()) + " tracks");
    Bytes out{'M', 'T', 'h', 'd'};
    append_u32(out, 6);
    append_u16(out, format);
    append_u16(out, static_cast<int>(tracks.size()));
    append_u16(out, ticks_per_quarter);
    for (const Track& track : tracks) {
        const Bytes chunk = track.chunk();
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

void write_file(const std::filesystem::path& path, const Bytes& bytes)
{
    std::filesystem::path temporary = path;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw std::runtime_error("cannot write " + temporary.string());
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        throw std::runtime_error("cannot replace " + path.string());
    }
}

}  // namespace smf
