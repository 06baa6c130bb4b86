// Music theory helpers: notes by name, scales and modes, chord symbols and
// voice-led chord voicings.
#pragma once

#include <string_view>
#include <vector>

namespace theory {

// MIDI key of a note name such as "C4" (60), "F#5", "Bb3" or "C-1" (0);
// throws std::invalid_argument naming the text when it is not a note.
int note(std::string_view name);

// Pitch class 0..11 of a name without octave ("C", "F#", "Bb").
int pitch_class(std::string_view name);

enum class Mode { ionian, dorian, phrygian, lydian, mixolydian, aeolian };

struct Scale {
    int tonic;  // pitch class
    Mode mode;
};

// Every key of the scale from `low` to `high` inclusive, ascending.
std::vector<int> scale_keys(const Scale& scale, int low, int high);

// The key `steps` scale degrees above (or below, when negative) `key`, which
// must belong to the scale.
int scale_step(const Scale& scale, int key, int steps);

struct Chord {
    int root;                    // pitch class
    std::vector<int> intervals;  // semitones above the root, the root's 0 first
    int bass;                    // pitch class in the bass (the root unless a slash chord)
};

// Parses a chord symbol: root, an optional quality ("", m, 7, maj7, m7, 6, m6,
// sus2, sus4, add9, madd9, maj9, m9, dim, m7b5) and an optional "/bass";
// throws std::invalid_argument naming the text otherwise.
Chord chord(std::string_view symbol);

// Pitch classes of the chord, root first.
std::vector<int> chord_classes(const Chord& chord);

// The lowest key at or above `low` with the given pitch class.
int key_at_or_above(int pitch_class, int low);

// Chooses `voices` keys in [low, high] for `chord` that cover its pitch
// classes (or as many as the voices allow, root, third and seventh first),
// keep a singable spacing and move as little as possible from `previous`
// (ascending; empty for a first chord, which is then placed near the middle).
std::vector<int> voice(const Chord& chord, int voices, int low, int high, const std::vector<int>& previous);

}  // namespace theory
