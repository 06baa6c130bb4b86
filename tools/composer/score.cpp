// Rendering of a described piece to MIDI: channels, humanisation, tempo map.
#include "score.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <stdexcept>

namespace score {
namespace {

constexpr int drum_channel = 9;

// Deterministic noise: std::mt19937's sequence is fixed by the standard,
// unlike the library's distributions, so the output is the same everywhere.
class Humaniser {
public:
    explicit Humaniser(std::uint32_t seed) : engine_(seed) {}

    // Roughly normal, mean 0, standard deviation 1, clipped to about ±2.
    double deviation()
    {
        double sum = 0;
        for (int i = 0; i < 4; ++i)
            sum += uniform();
        return (sum - 2.0) * std::sqrt(3.0);
    }

private:
    double uniform() { return static_cast<double>(engine_() >> 8) / 16777216.0; }
    std::mt19937 engine_;
};

std::uint32_t ticks(double beat)
{
    return static_cast<std::uint32_t>(std::lround(std::max(0.0, beat) * ticks_per_beat));
}

struct Placed {
    std::uint32_t on;
    std::uint32_t off;
    int key;
    int velocity;
};

// Humanised notes of one part, sorted, with overlapping repeats of a key cut.
std::vector<Placed> place_notes(const Part& part, Humaniser& humaniser)
{
    std::vector<Placed> placed;
    for (const Note& note : part.notes) {
        const double shift = part.timing_spread * humaniser.deviation();
        const std::uint32_t on = ticks(note.beat + shift);
        const std::uint32_t off = std::max(on + 1, ticks(note.beat + shift + note.length));
        const int velocity = std::clamp(
            static_cast<int>(std::lround(note.velocity + part.velocity_spread * humaniser.deviation() / 2)), 1, 127);
        placed.push_back({on, off, note.key, velocity});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.on < b.on; });

    std::map<int, std::size_t> sounding;  // key -> index of its latest note
    std::vector<bool> keep(placed.size(), true);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const auto earlier = sounding.find(placed[i].key);
        if (earlier != sounding.end()) {
            Placed& previous = placed[earlier->second];
            if (previous.on == placed[i].on) {
                placed[i].velocity = std::max(placed[i].velocity, previous.velocity);
                placed[i].off = std::max(placed[i].off, previous.off);
                keep[earlier->second] = false;
            } else if (previous.off > placed[i].on) {
                previous.off = placed[i].on;
            }
        }
        sounding[placed[i].key] = i;
    }
    std::vector<Placed> kept;
    for (std::size_t i = 0; i < placed.size(); ++i)
        if (keep[i])
            kept.push_back(placed[i]);
    return kept;
}

smf::Track part_track(const Part& part, int channel, Humaniser& humaniser)
{
    smf::Track track;
    track.track_name(0, part.name);
    track.program_change(0, channel, part.program);
    track.control_change(0, channel, 7, part.volume);
    track.control_change(0, channel, 10, part.pan);
    track.control_change(0, channel, 91, part.reverb);
    track.control_change(0, channel, 93, part.chorus);
    track.control_change(0, channel, 11, 127);
    for (const Control& control : part.controls)
        track.control_change(ticks(control.beat), channel, control.controller, control.value);
    for (const Placed& note : place_notes(part, humaniser)) {
        track.note_on(note.on, channel, note.key, note.velocity);
        track.note_off(note.off, channel, note.key);
    }
    return track;
}

}  // namespace

double end_beat(const Piece& piece)
{
    double end = 0;
    for (const Part& part : piece.parts)
        for (const Note& note : part.notes)
            end = std::max(end, note.beat + note.length);
    return end;
}

double seconds_at(const Piece& piece, double beat)
{
    if (piece.tempo.empty() || piece.tempo.front().beat != 0)
        throw std::invalid_argument(piece.title + ": the tempo map must start at beat 0");
    double seconds = 0;
    for (std::size_t i = 0; i < piece.tempo.size(); ++i) {
        const double from = piece.tempo[i].beat;
        const double to = i + 1 < piece.tempo.size() ? std::min(beat, piece.tempo[i + 1].beat) : beat;
        if (to > from)
            seconds += (to - from) * 60.0 / piece.tempo[i].bpm;
    }
    return seconds;
}

smf::Bytes render(const Piece& piece)
{
    if (piece.parts.empty() || piece.parts.size() > 15)
        throw std::invalid_argument(piece.title + ": a piece needs 1 to 15 parts");
    smf::Track conductor;
    conductor.track_name(0, piece.title);
    conductor.time_signature(0, piece.beats_per_bar, piece.beat_unit);
    seconds_at(piece, 0);  // validates the tempo map
    for (const TempoMark& mark : piece.tempo)
        conductor.tempo(ticks(mark.beat), static_cast<std::uint32_t>(std::lround(60'000'000.0 / mark.bpm)));

    std::vector<smf::Track> tracks{conductor};
    Humaniser humaniser(piece.seed);
    int channel = 0;
    for (const Part& part : piece.parts) {
        if (channel == drum_channel)
            ++channel;
        tracks.push_back(part_track(part, channel++, humaniser));
    }
    return smf::file_bytes(1, ticks_per_beat, tracks);
}

}  // namespace score
