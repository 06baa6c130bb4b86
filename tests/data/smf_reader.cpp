// Test helper: Standard MIDI File parsing.
#include "smf_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>

namespace smf_reader {
namespace {

std::uint32_t big_endian(const std::vector<std::uint8_t>& bytes, std::size_t at, int count)
{
    if (at + static_cast<std::size_t>(count) > bytes.size())
        throw std::runtime_error("file ends inside a chunk header");
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

std::uint8_t next(const std::vector<std::uint8_t>& bytes, std::size_t& at, std::size_t end)
{
    if (at >= end)
        throw std::runtime_error("track ends inside an event");
    return bytes[at++];
}

Track parse_track(const std::vector<std::uint8_t>& bytes, std::size_t begin, std::size_t end)
{
    Track track{static_cast<std::uint32_t>(end - begin), {}};
    std::size_t at = begin;
    std::uint32_t tick = 0;
    bool ended = false;
    while (at < end) {
        if (ended)
            throw std::runtime_error("events after end of track");
        std::size_t vlq_at = at;
        tick += read_vlq(bytes, vlq_at);
        if (vlq_at > end)
            throw std::runtime_error("track ends inside a delta time");
        at = vlq_at;
        Event event{tick, next(bytes, at, end)};
        if (event.status < 0x80)
            throw std::runtime_error("running status or a stray data byte in a track");
        if (event.status == 0xFF || event.status == 0xF0 || event.status == 0xF7) {
            if (event.status == 0xFF)
                event.data1 = next(bytes, at, end);
            const std::uint32_t length = read_vlq(bytes, at);
            if (at + length > end)
                throw std::runtime_error("track ends inside a meta or system exclusive event");
            event.payload.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                 bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
            at += length;
            ended = event.status == 0xFF && event.data1 == 0x2F;
        } else {
            event.data1 = next(bytes, at, end);
            const int kind = event.status & 0xF0;
            if (kind != 0xC0 && kind != 0xD0)
                event.data2 = next(bytes, at, end);
        }
        track.events.push_back(std::move(event));
    }
    if (!ended)
        throw std::runtime_error("track does not close with end of track");
    return track;
}

}  // namespace

std::uint32_t read_vlq(const std::vector<std::uint8_t>& bytes, std::size_t& at)
{
    std::uint32_t value = 0;
    for (int count = 0; count < 4; ++count) {
        if (at >= bytes.size())
            throw std::runtime_error("data ends inside a variable-length quantity");
        const std::uint8_t byte = bytes[at++];
        value = (value << 7) | (byte & 0x7F);
        if ((byte & 0x80) == 0)
            return value;
    }
    throw std::runtime_error("variable-length quantity longer than four bytes");
}

File parse(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() < 14 || std::string(bytes.begin(), bytes.begin() + 4) != "MThd" || big_endian(bytes, 4, 4) != 6)
        throw std::runtime_error("no MThd header of length 6");
    File file{static_cast<int>(big_endian(bytes, 8, 2)), static_cast<int>(big_endian(bytes, 12, 2)), {}};
    const std::uint32_t count = big_endian(bytes, 10, 2);
    std::size_t at = 14;
    while (at < bytes.size()) {
        const std::uint32_t length = big_endian(bytes, at + 4, 4);
        if (std::string(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + 4)) != "MTrk")
            throw std::runtime_error("a chunk other than MTrk");
        if (at + 8 + length > bytes.size())
            throw std::runtime_error("a track's length field runs past the end of the file");
        file.tracks.push_back(parse_track(bytes, at + 8, at + 8 + length));
        at += 8 + length;
    }
    if (file.tracks.size() != count)
        throw std::runtime_error("header announces " + std::to_string(count) + " tracks, file holds "
                                 + std::to_string(file.tracks.size()));
    return file;
}

std::vector<std::uint8_t> read_bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double seconds_at(const File& file, std::uint32_t tick)
{
    std::map<std::uint32_t, std::uint32_t> tempo{{0, 500000}};
    for (const Track& track : file.tracks)
        for (const Event& event : track.events)
            if (event.status == 0xFF && event.data1 == 0x51 && event.payload.size() == 3)
                tempo[event.tick] = (std::uint32_t{event.payload[0]} << 16) | (event.payload[1] << 8) | event.payload[2];
    double seconds = 0;
    for (auto mark = tempo.begin(); mark != tempo.end() && mark->first < tick; ++mark) {
        const auto following = std::next(mark);
        const std::uint32_t until = following == tempo.end() ? tick : std::min(tick, following->first);
        seconds += (until - mark->first) * (mark->second / 1e6) / file.ticks_per_quarter;
    }
    return seconds;
}

}  // namespace smf_reader
