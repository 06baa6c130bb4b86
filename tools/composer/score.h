// A piece as the composer describes it (parts of notes and controller moves
// in beats, a tempo map) and its rendering to a type-1 Standard MIDI File.
#pragma once

#include "smf.h"

#include <cstdint>
#include <string>
#include <vector>

namespace score {

// Ticks per quarter note in the files we write.
inline constexpr int ticks_per_beat = 480;

struct Note {
    double beat;
    double length;
    int key;
    int velocity;
};

struct Control {
    double beat;
    int controller;
    int value;
};

// One instrument on its own track and channel.
struct Part {
    std::string name;
    int program;  // program change value (General MIDI number minus one)
    int volume = 100;
    int pan = 64;
    int reverb = 64;
    int chorus = 24;
    double timing_spread = 0.02;  // humanised onset deviation, in beats
    int velocity_spread = 4;      // humanised velocity deviation
    std::vector<Note> notes{};
    std::vector<Control> controls{};
};

struct TempoMark {
    double beat;
    double bpm;
};

struct Piece {
    std::string title;
    int beats_per_bar = 4;
    int beat_unit = 4;
    std::vector<TempoMark> tempo{};  // the first mark at beat 0
    std::vector<Part> parts{};  // at most 15 (channel 10 stays free of drums)
    std::uint32_t seed = 1;
};

// The beat after the last note ends.
double end_beat(const Piece& piece);

// Seconds from the start to `beat` under the piece's tempo map.
double seconds_at(const Piece& piece, double beat);

// The file: a conductor track (title, time signature, tempo marks) and one
// track per part (name, program, volume, pan, reverb, chorus, its notes and
// controls), with onsets and velocities humanised from the piece's seed.
// Repeated keys on one channel never overlap: an earlier note is cut where the
// next one of the same key starts.
smf::Bytes render(const Piece& piece);

}  // namespace score
