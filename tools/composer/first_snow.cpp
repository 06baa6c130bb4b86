// music1, "First Snow": celesta and glockenspiel over a string ensemble.
// D major, 4/4, 72 bpm. Introduction, theme on celesta, the theme again on
// glockenspiel over celesta broken chords, a second theme in the strings,
// the theme's return with bells, and a slowing coda that settles on D.
#include "arrange.h"
#include "pieces.h"

namespace pieces {
namespace {

constexpr double bar = 4;

// An eight-bar period: half close on A in bar 4, full close on D in bar 8.
constexpr std::string_view theme =
    "F#5:1.5 E5:.5 D5:1 A4:1 | B4:1.5 C#5:.5 D5:1 G5:1 | F#5:1.5 E5:.5 D5:1 E5:.5 F#5:.5 | G5:1 F#5:1 E5:2 |"
    "D5:1.5 C#5:.5 B4:1 F#5:1 | G5:1.5 F#5:.5 E5:1 D5:1 | E5:1 B4:1 C#5:1 A4:1 | D5:3 r:1";
constexpr std::string_view theme_chords = "D | G | D/F# | Em7 A | Bm | G | Em7 A7 | D";
constexpr std::string_view variation_chords = "D | G | D/F# | Em7 A | Bm | Gmaj7 | Em7 A7 | D";

// Bells on the downbeats of the theme, an octave above it.
constexpr std::string_view theme_bells =
    "F#6:4 | B5:4 | F#6:4 | G6:2 E6:2 | D6:4 | G6:4 | E6:2 C#6:2 | D6:4";

// The second theme, for the strings: B minor turning back toward A.
constexpr std::string_view second_theme =
    "D5:1.5 C#5:.5 B4:2 | D5:1 E5:1 F#5:1 G5:1 | A5:3 F#5:1 | E5:3 r:1 |"
    "D5:1.5 C#5:.5 B4:1 D5:1 | G5:2 F#5:1 E5:1 | D5:1 E5:1 F#5:2 | E5:2 C#5:2";
constexpr std::string_view second_chords = "Bm | G | D | A | Bm | Em7 | Gmaj7 | Asus4 A7";

}  // namespace

score::Piece first_snow()
{
    score::Piece piece{.title = "First Snow", .beats_per_bar = 4, .beat_unit = 4, .tempo = {{0, 72}}, .seed = 1201};
    piece.parts = {
        {.name = "Celesta", .program = 8, .volume = 127, .pan = 52, .reverb = 84, .chorus = 30},
        {.name = "Glockenspiel", .program = 9, .volume = 95, .pan = 80, .reverb = 96, .chorus = 20},
        {.name = "Strings", .program = 48, .volume = 103, .pan = 64, .reverb = 80, .chorus = 40, .timing_spread = 0.03},
        {.name = "Strings melody", .program = 48, .volume = 117, .pan = 72, .reverb = 80, .chorus = 36},
        {.name = "Low strings", .program = 48, .volume = 105, .pan = 58, .reverb = 72, .chorus = 30},
    };
    score::Part& celesta = piece.parts[0];
    score::Part& bells = piece.parts[1];
    score::Part& strings = piece.parts[2];
    score::Part& strings_melody = piece.parts[3];
    score::Part& low = piece.parts[4];

    arrange::Voices pad{4, 55, 74, {}};
    arrange::Voices broken{4, 62, 84, {}};
    const std::vector<int> rising{0, 1, 2, 3, 2, 1, 2, 3};

    // Introduction: the strings breathe in under slow celesta broken chords.
    const auto intro = arrange::progression("Dadd9 | Gmaj7/D | Dadd9 | Asus4 A", 0, bar);
    arrange::pad(strings, intro, pad, 62);
    arrange::bass(low, intro, 38, 58);
    arrange::arpeggio(celesta, intro, broken, rising, 0.5, 56, 2.0);
    arrange::melody(bells, 0, "A6:8 F#6:6 E6:2", 54, 0);
    arrange::ramp(strings, 11, 0, 12, 70, 116);

    // The theme on the celesta over the strings.
    double at = 4 * bar;
    const auto first = arrange::progression(theme_chords, at, bar);
    arrange::pad(strings, first, pad, 66);
    arrange::bass(low, first, 38, 64);
    arrange::melody(celesta, at, theme, 74, 8);

    // The theme on the glockenspiel, the celesta now breaking the chords.
    at = arrange::end_of(first);
    const auto second = arrange::progression(variation_chords, at, bar);
    arrange::pad(strings, second, pad, 68);
    arrange::bass(low, second, 38, 66);
    arrange::arpeggio(celesta, second, broken, rising, 0.5, 58, 1.5);
    arrange::melody(bells, at, theme, 66, 6, 12);

    // The second theme in the strings, a little warmer and fuller.
    at = arrange::end_of(second);
    const auto contrast = arrange::progression(second_chords, at, bar);
    arrange::Voices low_pad{3, 50, 67, {}};
    arrange::pad(strings, contrast, low_pad, 66);
    arrange::bass(low, contrast, 35, 68);
    arrange::melody(strings_melody, at, second_theme, 72, 12);
    arrange::arpeggio(celesta, contrast, broken, {0, 2, 1, 3, 2, 3, 1, 2}, 0.5, 56, 1.5);
    arrange::melody(bells, at, "F#6:4 r:12 | D6:4 r:12", 50, 0);
    arrange::ramp(strings_melody, 11, at + 5 * bar, at + 8 * bar, 127, 100);

    // The return: celesta theme with bells on the downbeats, the fullest moment.
    at = arrange::end_of(contrast);
    const auto back = arrange::progression(theme_chords, at, bar);
    arrange::pad(strings, back, pad, 72);
    arrange::bass(low, back, 38, 70);
    arrange::melody(celesta, at, theme, 78, 8);
    arrange::melody(bells, at, theme_bells, 56, 4);

    // Coda: the opening motif once more, slowing, settling on D and fading.
    at = arrange::end_of(back);
    const auto coda = arrange::progression("Gmaj7 | D/F# | Em7 Asus4 | Dadd9 | Dadd9", at, bar);
    arrange::pad(strings, coda, pad, 64);
    arrange::bass(low, coda, 38, 60);
    const double last = at + 3 * bar;
    arrange::melody(celesta, at, "B5:1.5 A5:.5 F#5:2 | F#5:1.5 E5:.5 D5:1 A4:1 | G4:1 B4:1 E5:1 D5:1", 66, 6);
    arrange::melody(celesta, last, "A4:.5 D5:.5 E5:.5 F#5:.5 A5:2 | D6:4", 60, 4);
    arrange::melody(bells, last + bar, "F#6:4", 50, 0);
    arrange::ramp(strings, 11, last, last + 2 * bar, 116, 40);
    arrange::ramp(low, 11, last, last + 2 * bar, 127, 50);
    arrange::ritardando(piece, at + bar, last + 2 * bar, 72, 52);
    return piece;
}

}  // namespace pieces
