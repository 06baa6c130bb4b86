// Arranging helpers the pieces are written with: chord progressions, melodies
// in note text, voice-led pads, bass lines, broken chords, scale runs,
// controller ramps, pedalling and ritardandos. Beats are quarter notes.
#pragma once

#include "score.h"
#include "theory.h"

#include <string_view>
#include <vector>

namespace arrange {

struct ChordSpan {
    double beat;
    double length;
    theory::Chord chord;
};

// Bars separated by '|', each holding one or more chord symbols that share the
// bar evenly, or take ":BEATS": "D | A/C# | Bm F#m | Gm7:2 C7:1". The first
// bar starts at `start`.
std::vector<ChordSpan> progression(std::string_view bars, double start, double beats_per_bar);

// The beat after the last span.
double end_of(const std::vector<ChordSpan>& spans);

// Writes a melody given as "KEY:BEATS" words, e.g. "F#5:1.5 E5:.5 r:1 D5+A5:2"
// ('r' rests, '+' stacks notes, '|' marks bars for the reader). Velocities swell by up to `swell` toward the
// middle of the phrase and relax at its end. Returns the beat after the last word.
double melody(score::Part& part, double start, std::string_view text, int velocity, int swell = 6,
              int transpose = 0);

// Adds below every note of `part` from index `first` on a note `steps` degrees
// of `scale` lower (2 for thirds), `softer` less loud: a second voice in parallel.
void double_below(score::Part& part, std::size_t first, const theory::Scale& scale, int steps, int softer);

// Voice-led sustained chords; `voicing` carries the last chord from call to call.
struct Voices {
    int count;
    int low;
    int high;
    std::vector<int> last;
};
void pad(score::Part& part, const std::vector<ChordSpan>& spans, Voices& voices, int velocity,
         double overlap = 0.0);

// The bass note of each span in [low, low + 11], held for `fraction` of the span.
void bass(score::Part& part, const std::vector<ChordSpan>& spans, int low, int velocity, double fraction = 1.0);

// A pattern entry that plays nothing.
inline constexpr int rest = -1;

// Broken chords: `pattern` indexes the voiced chord (0 its lowest voice, or rest) and
// repeats through every span in steps of `step` beats; each note rings for
// `ring` steps. The first note of a span is a little stronger.
void arpeggio(score::Part& part, const std::vector<ChordSpan>& spans, Voices& voices,
              const std::vector<int>& pattern, double step, int velocity, double ring = 1.0);

// A scale run (harp glissando, celesta flourish) from `from` to `to`, one
// scale note every `step` beats; returns the beat after the last note.
double run(score::Part& part, const theory::Scale& scale, int from, int to, double start, double step,
           int velocity, double ring = 1.0);

// A straight controller ramp in steps of a quarter beat.
void ramp(score::Part& part, int controller, double from_beat, double to_beat, int from, int to);

// Sustain pedal changed with every span: up just before the chord, down just after it.
void pedal(score::Part& part, const std::vector<ChordSpan>& spans);

// Slows from `from_bpm` to `to_bpm` across the beats, one tempo mark a beat.
void ritardando(score::Piece& piece, double from_beat, double to_beat, double from_bpm, double to_bpm);

}  // namespace arrange
