// music3, "Music Box Lullaby": a music box over a choir.
// G major, 3/4, 84 bpm. The box plays alone, the choir enters under the
// lullaby, a second theme in E minor, the lullaby again with the box's
// accompaniment busier, and a coda in which the box winds down and stops on G.
#include "arrange.h"
#include "pieces.h"

namespace pieces {
namespace {

constexpr double bar = 3;

constexpr std::string_view theme_chords =
    "G | Em | C | D | G | Bm | C | D7 | Em | C | G/B | Am7 | G/D | D7 | G | G";
constexpr std::string_view theme =
    "B5:2 D6:1 | B5:2 G5:1 | E5:1 G5:1 C6:1 | A5:3 | B5:2 D6:1 | D6:2 B5:1 | G5:2 E5:1 | F#5:3 |"
    "G5:1 B5:1 E6:1 | E6:2 D6:1 | D6:1 B5:1 G5:1 | C6:2 A5:1 | B5:2 G5:1 | A5:2 C6:1 | B5:3 | G5:3";

// The second theme, in E minor, moves in eighths and turns back on D7.
constexpr std::string_view second_chords =
    "Em | C | G | D | Em | C | Am7 | B7 | C | G/B | Am7 | D | C | G/B | Am7 | D7";
constexpr std::string_view second_theme =
    "G5:1 F#5:.5 E5:.5 B5:1 | C6:1.5 B5:.5 G5:1 | B5:1 A5:.5 G5:.5 D5:1 | F#5:2 A5:1 |"
    "G5:1 F#5:.5 E5:.5 B5:1 | E6:1.5 D6:.5 C6:1 | C6:1 B5:.5 A5:.5 E5:1 | D#5:2 F#5:1 |"
    "G5:1 E5:.5 G5:.5 C6:1 | B5:1.5 A5:.5 G5:1 | A5:1 C6:1 E6:1 | D6:2 A5:1 |"
    "G5:1 E5:.5 G5:.5 C6:1 | B5:1.5 A5:.5 G5:1 | E5:1 A5:1 C6:1 | A5:2 F#5:1";

const std::vector<int> lilt{0, 2, 1};                     // quarters
const std::vector<int> ripple{0, 1, 2, 1, 2, 1};          // eighths

}  // namespace

score::Piece music_box_lullaby()
{
    score::Piece piece{.title = "Music Box Lullaby", .beats_per_bar = 3, .beat_unit = 4, .tempo = {{0, 84}}, .seed = 3307};
    piece.parts = {
        {.name = "Music box", .program = 10, .volume = 127, .pan = 60, .reverb = 90, .chorus = 30, .timing_spread = 0.015},
        {.name = "Music box accompaniment", .program = 10, .volume = 107, .pan = 72, .reverb = 90, .chorus = 30, .timing_spread = 0.015},
        {.name = "Choir", .program = 52, .volume = 104, .pan = 56, .reverb = 100, .chorus = 50, .timing_spread = 0.03},
        {.name = "Low choir", .program = 52, .volume = 97, .pan = 64, .reverb = 100, .chorus = 40, .timing_spread = 0.03},
    };
    score::Part& box = piece.parts[0];
    score::Part& comb = piece.parts[1];
    score::Part& choir = piece.parts[2];
    score::Part& low = piece.parts[3];
    arrange::Voices broken{3, 60, 76, {}};
    arrange::Voices voices{4, 55, 74, {}};

    // Introduction: the box alone, as if just wound.
    const auto intro = arrange::progression("G | Cadd9 | G | D", 0, bar);
    arrange::arpeggio(comb, intro, broken, ripple, 0.5, 60, 2.0);

    // The lullaby; the choir enters softly under it.
    double at = arrange::end_of(intro);
    const auto first = arrange::progression(theme_chords, at, bar);
    arrange::arpeggio(comb, first, broken, lilt, 1.0, 56, 1.5);
    arrange::pad(choir, first, voices, 64, 0.1);
    arrange::bass(low, first, 43, 62);
    arrange::ramp(choir, 11, at, at + 4 * bar, 40, 110);
    arrange::ramp(low, 11, at, at + 4 * bar, 40, 110);
    arrange::melody(box, at, theme, 76, 8);

    // The second theme: fuller choir, the box rippling underneath.
    at = arrange::end_of(first);
    const auto second = arrange::progression(second_chords, at, bar);
    arrange::arpeggio(comb, second, broken, ripple, 0.5, 56, 2.0);
    arrange::pad(choir, second, voices, 72, 0.1);
    arrange::bass(low, second, 40, 68);
    arrange::melody(box, at, second_theme, 80, 8);

    // The lullaby returns, the box's accompaniment still rippling.
    at = arrange::end_of(second);
    const auto back = arrange::progression(theme_chords, at, bar);
    arrange::arpeggio(comb, back, broken, ripple, 0.5, 54, 2.0);
    arrange::pad(choir, back, voices, 68, 0.1);
    arrange::bass(low, back, 43, 64);
    arrange::melody(box, at, theme, 78, 8);

    // Coda: the box runs down; the choir holds G and fades.
    at = arrange::end_of(back);
    const auto coda = arrange::progression("C | Am7 | Dsus4 | D7 | G | Cadd9/G | G | G", at, bar);
    arrange::pad(choir, coda, voices, 62, 0.1);
    arrange::bass(low, coda, 43, 60);
    arrange::arpeggio(comb, {coda.begin(), coda.begin() + 6}, broken, lilt, 1.0, 52, 1.5);
    arrange::melody(box, at, "E6:2 D6:1 | C6:2 A5:1 | G5:2 A5:1 | F#5:3 | G5:1 B5:1 D6:1 | E6:2 D6:1 | B5:3 | G5:3", 66, 6);
    arrange::melody(comb, at + 6 * bar, "D5:3 | G4+B4:3", 52, 0);
    const double end = arrange::end_of(coda);
    arrange::ramp(choir, 11, end - 3 * bar, end, 110, 30);
    arrange::ramp(low, 11, end - 3 * bar, end, 110, 30);
    arrange::ritardando(piece, at + 2 * bar, end, 84, 48);
    return piece;
}

}  // namespace pieces
