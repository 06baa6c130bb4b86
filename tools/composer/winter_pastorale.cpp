// music4, "Winter Pastorale": harp and flute over strings.
// D dorian, 4/4, 70 bpm. Harp introduction, a sixteen-bar flute theme, a
// second theme in F major for the strings, the theme's second half again
// with ornaments, and a coda that brightens onto D major.
#include "arrange.h"
#include "pieces.h"

namespace pieces {
namespace {

constexpr double bar = 4;

// Antecedent: half close on A minor.
constexpr std::string_view first_chords = "Dm9 | G/D | Fmaj7 | C | Dm9 | Em7 | F | Asus4 Am";
constexpr std::string_view first_phrase =
    "A4:1.5 D5:.5 E5:1 F5:1 | E5:1 D5:1 B4:2 | C5:1 F5:1 A5:1.5 G5:.5 | E5:3 r:1 |"
    "A5:1.5 G5:.5 F5:1 E5:1 | G5:2 E5:1 D5:1 | C5:1 F5:1 A5:2 | D5:2 C5:2";

// Consequent: full close on D.
constexpr std::string_view second_chords = "Dm9 | G/D | Fmaj7 | C/E | Dm7 | G | C Asus4 | Dm9";
constexpr std::string_view second_phrase =
    "A4:1.5 D5:.5 E5:1 F5:1 | E5:1 D5:1 B4:2 | C5:1 F5:1 A5:1.5 G5:.5 | G5:3 r:1 |"
    "F5:1.5 E5:.5 D5:1 A5:1 | B5:2 A5:1 G5:1 | G5:1 E5:1 D5:1 E5:1 | D5:4";
constexpr std::string_view second_phrase_ornamented =
    "A4:1 C5:.5 D5:.5 E5:1 F5:1 | E5:.5 F5:.5 E5:.5 D5:.5 B4:2 | C5:1 F5:1 A5:1 C6:.5 A5:.5 | G5:3 r:1 |"
    "F5:1.5 E5:.5 D5:1 A5:1 | B5:2 A5:1 G5:1 | G5:1 E5:1 D5:1 E5:1 | D5:4";

// The strings' theme in F major, ending on C so the return sounds like a
// gentle deceptive turn back to D minor.
constexpr std::string_view contrast_chords = "Fmaj7 | C/E | Dm7 | Am7 | Bbmaj7 | F/A | Gm7 | Csus4 C";
constexpr std::string_view contrast_theme =
    "A4:1.5 C5:.5 F5:2 | E5:1.5 D5:.5 C5:2 | D5:1 F5:1 A5:1.5 G5:.5 | E5:3 r:1 |"
    "D5:1.5 F5:.5 A5:2 | A5:1 G5:1 F5:2 | Bb5:1.5 A5:.5 G5:1 F5:1 | F5:2 E5:2";

const std::vector<int> wave{0, 1, 2, 3, 4, 3, 2, 1};
const std::vector<int> climb{0, 2, 4, 2};

}  // namespace

score::Piece winter_pastorale()
{
    score::Piece piece{.title = "Winter Pastorale", .beats_per_bar = 4, .beat_unit = 4, .tempo = {{0, 70}}, .seed = 4409};
    piece.parts = {
        {.name = "Flute", .program = 73, .volume = 117, .pan = 70, .reverb = 80, .chorus = 20},
        {.name = "Harp", .program = 46, .volume = 127, .pan = 50, .reverb = 84, .chorus = 24, .timing_spread = 0.015},
        {.name = "Strings", .program = 48, .volume = 98, .pan = 64, .reverb = 84, .chorus = 40, .timing_spread = 0.03},
        {.name = "Strings melody", .program = 48, .volume = 115, .pan = 76, .reverb = 80, .chorus = 36},
        {.name = "Low strings", .program = 48, .volume = 103, .pan = 58, .reverb = 76, .chorus = 30},
    };
    score::Part& flute = piece.parts[0];
    score::Part& harp = piece.parts[1];
    score::Part& strings = piece.parts[2];
    score::Part& strings_melody = piece.parts[3];
    score::Part& low = piece.parts[4];
    const theory::Scale d_major{theory::pitch_class("D"), theory::Mode::ionian};
    arrange::Voices harp_voices{5, 50, 72, {}};  // below the flute
    arrange::Voices pad{4, 53, 72, {}};

    // Introduction: harp waves over the dorian swing from D minor to G.
    const auto intro = arrange::progression("Dm9 | G/D | Dm9 | G/D", 0, bar);
    arrange::arpeggio(harp, intro, harp_voices, wave, 0.5, 60, 3.0);
    arrange::bass(harp, intro, 38, 62, 0.5);
    arrange::pad(strings, {intro.begin() + 2, intro.end()}, pad, 52);
    arrange::ramp(strings, 11, 2 * bar, 4 * bar, 50, 110);

    // The flute's theme, two phrases.
    double at = arrange::end_of(intro);
    auto theme = arrange::progression(first_chords, at, bar);
    const auto consequent = arrange::progression(second_chords, arrange::end_of(theme), bar);
    theme.insert(theme.end(), consequent.begin(), consequent.end());
    arrange::arpeggio(harp, theme, harp_voices, wave, 0.5, 58, 3.0);
    arrange::pad(strings, theme, pad, 60);
    arrange::bass(low, theme, 38, 62);
    arrange::melody(flute, at, first_phrase, 74, 10);
    arrange::melody(flute, consequent.front().beat, second_phrase, 76, 10);

    // The second theme in the strings; the harp slows to quarters, the flute rests.
    at = arrange::end_of(theme);
    const auto contrast = arrange::progression(contrast_chords, at, bar);
    arrange::arpeggio(harp, contrast, harp_voices, climb, 1.0, 56, 3.0);
    arrange::pad(strings, contrast, pad, 58);
    arrange::bass(low, contrast, 36, 66);
    arrange::melody(strings_melody, at, contrast_theme, 74, 12);

    // The theme's second phrase returns on the flute, ornamented.
    at = arrange::end_of(contrast);
    const auto back = arrange::progression(second_chords, at, bar);
    arrange::arpeggio(harp, back, harp_voices, wave, 0.5, 60, 3.0);
    arrange::pad(strings, back, pad, 62);
    arrange::bass(low, back, 38, 64);
    arrange::melody(flute, at, second_phrase_ornamented, 78, 10);

    // Coda: the dorian swing once more, then D major with a harp glissando.
    at = arrange::end_of(back);
    const auto coda = arrange::progression("Dm9 | G/D | Dm9 | Dsus2 | D", at, bar);
    arrange::arpeggio(harp, {coda.begin(), coda.begin() + 3}, harp_voices, wave, 0.5, 56, 3.0);
    arrange::pad(strings, coda, pad, 56);
    arrange::bass(low, coda, 38, 58);
    arrange::melody(flute, at, "A5:2 G5:1 E5:1 | D5:4 | r:1 A4:1 D5:1 E5:1 | E5:4 | F#5:4", 62, 6);
    const double last = at + 4 * bar;
    arrange::run(harp, d_major, theory::note("D3"), theory::note("D6"), last - 2.75, 0.125, 46, 8.0);
    arrange::melody(harp, last, "D2+A2+D3+F#3+A3+D4:4", 48, 0);
    arrange::ramp(strings, 11, last - bar, last + bar, 110, 24);
    arrange::ramp(low, 11, last - bar, last + bar, 127, 30);
    arrange::ramp(flute, 11, last, last + bar, 127, 44);
    arrange::ritardando(piece, at + bar, last + bar, 70, 50);
    return piece;
}

}  // namespace pieces
