// music2, "Lamplight Nocturne": solo piano with sustain pedal.
// F major, 3/4, 66 bpm. Introduction, a sixteen-bar theme over a left hand
// that moves from quarters to flowing eighths, a second theme in D minor,
// the theme's return in thirds, and a coda through B-flat minor that fades
// onto a rolled F major chord.
#include "arrange.h"
#include "pieces.h"

namespace pieces {
namespace {

constexpr double bar = 3;

constexpr std::string_view phrase_one_chords = "F | Dm7 | Bbmaj7 | C | F/A | Dm | Gm7 | C7";
constexpr std::string_view phrase_one =
    "A4:1 C5:1 F5:1 | E5:2 D5:1 | D5:1 C5:1 Bb4:1 | A4:1 G4:2 |"
    "A4:1 C5:1 F5:1 | A5:2 G5:1 | F5:1 E5:1 D5:1 | E5:3";

constexpr std::string_view phrase_two_chords = "F | Dm7 | Bbmaj7 | Gm7 | F/C | Dm7 | Gm7:2 C7:1 | F";
constexpr std::string_view phrase_two =
    "A4:1 C5:1 F5:1 | E5:2 D5:1 | D5:1 F5:1 A5:1 | A5:1.5 G5:.5 F5:1 |"
    "F5:1 E5:.5 D5:.5 C5:1 | D5:1 A4:1 C5:1 | F5:1 D5:1 Bb4:1 | A4:3";

// The second theme climbs to B-flat over G minor, then turns home through C7.
constexpr std::string_view second_chords =
    "Dm | Bbmaj7 | F | C | Dm | Bbmaj7 | Gm7 | Asus4:2 A:1 | Bb | C | Am7 | Gm7:2 C7:1";
constexpr std::string_view second_theme =
    "F5:1.5 E5:.5 D5:1 | D5:2 A4:1 | C5:2 A4:1 | G4:3 | F5:1.5 E5:.5 D5:1 | D5:1 F5:1 A5:1 |"
    "Bb5:1.5 A5:.5 G5:1 | E5:2 C#5:1 | D5:1.5 C5:.5 Bb4:1 | C5:1 E5:1 G5:1 | G5:1.5 F5:.5 E5:1 | F5:1 D5:1 Bb4:1";

// Left hand: the bass in octaves held by the pedal, the chord broken above it.
const std::vector<int> quarters{arrange::rest, 0, 1};
const std::vector<int> eighths{arrange::rest, 0, 1, 2, 1, 0};

}  // namespace

score::Piece lamplight_nocturne()
{
    score::Piece piece{.title = "Lamplight Nocturne", .beats_per_bar = 3, .beat_unit = 4, .tempo = {{0, 66}}, .seed = 2203};
    piece.parts = {{.name = "Piano", .program = 0, .volume = 127, .pan = 64, .reverb = 104, .chorus = 16,
                    .timing_spread = 0.015, .velocity_spread = 5}};
    score::Part& piano = piece.parts[0];
    const theory::Scale f_major{theory::pitch_class("F"), theory::Mode::ionian};
    arrange::Voices left{3, 53, 67, {}};
    std::vector<arrange::ChordSpan> all;
    const auto accompany = [&](const std::vector<arrange::ChordSpan>& spans, const std::vector<int>& pattern,
                               int velocity) {
        arrange::bass(piano, spans, 29, velocity);  // the bass in octaves
        arrange::bass(piano, spans, 41, velocity + 4);
        arrange::arpeggio(piano, spans, left, pattern, pattern.size() == 3 ? 1.0 : 0.5, velocity, 2.0);
        all.insert(all.end(), spans.begin(), spans.end());
    };

    // Introduction: the left hand alone.
    const auto intro = arrange::progression("Fmaj7 | Bbadd9 | Fmaj7 | Csus4:2 C:1", 0, bar);
    accompany(intro, eighths, 64);

    // The theme: first phrase over quarters, second over eighths.
    double at = arrange::end_of(intro);
    const auto one = arrange::progression(phrase_one_chords, at, bar);
    accompany(one, quarters, 70);
    arrange::melody(piano, at, phrase_one, 80, 8);
    at = arrange::end_of(one);
    const auto two = arrange::progression(phrase_two_chords, at, bar);
    accompany(two, eighths, 72);
    arrange::melody(piano, at, phrase_two, 82, 8);

    // The second theme, the loudest part of the piece.
    at = arrange::end_of(two);
    const auto second = arrange::progression(second_chords, at, bar);
    left.high = 69;
    accompany(second, eighths, 76);
    arrange::melody(piano, at, second_theme, 84, 6);

    // The return: the first phrase in thirds, the second as before.
    at = arrange::end_of(second);
    left.high = 67;
    const auto one_again = arrange::progression(phrase_one_chords, at, bar);
    accompany(one_again, eighths, 74);
    const std::size_t first = piano.notes.size();
    arrange::melody(piano, at, phrase_one, 82, 8);
    arrange::double_below(piano, first, f_major, 2, 12);
    at = arrange::end_of(one_again);
    const auto two_again = arrange::progression(phrase_two_chords, at, bar);
    accompany(two_again, eighths, 70);
    arrange::melody(piano, at, phrase_two, 80, 6);

    // Coda: plagal close through B-flat minor, slowing, onto a rolled F chord.
    at = arrange::end_of(two_again);
    const auto coda = arrange::progression("Bbadd9 | Bbm6/F | F | F", at, bar);
    accompany({coda.begin(), coda.begin() + 2}, quarters, 64);
    arrange::melody(piano, at, "F5:1.5 D5:.5 C5:1 | Db5:3 | C5:6", 78, 4);
    const double final = at + 2 * bar;
    arrange::bass(piano, {coda[2]}, 29, 70, 2.0);
    arrange::Voices roll{5, 53, 77, {}};
    arrange::arpeggio(piano, {{final, 0.75, theory::chord("F")}}, roll, {0, 1, 2, 3, 4}, 0.15, 66, 36);
    all.insert(all.end(), coda.begin() + 2, coda.end());
    arrange::pedal(piano, all);
    arrange::ritardando(piece, at, final + 2 * bar, 66, 46);
    return piece;
}

}  // namespace pieces
