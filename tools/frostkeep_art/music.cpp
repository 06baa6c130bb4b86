// frostkeep.mid, "Lantern in the Keep": a celesta tune over pizzicato strings and a string pad,
// with harp arpeggios; D dorian, 6/8 at 104 beats a minute, about a minute long, made to loop:
// the last bar leads back into the first.
#include "art.hpp"

#include "arrange.h"
#include "score.h"
#include "smf.h"

namespace art {
namespace {

constexpr double bar = 3;  // in quarter notes: 6/8 counted in dotted quarters of 1.5 beats

constexpr std::string_view chords_a = "Dm | C | Bb | C | Dm | F | G | A";
constexpr std::string_view tune_a =
    "A5:1.5 F5:.5 G5:.5 A5:.5 | G5:1.5 E5:1.5 | F5:1 D5:.5 F5:1 G5:.5 | E5:3 |"
    "A5:1.5 C6:.5 B5:.5 A5:.5 | C6:1.5 A5:1.5 | B5:1 G5:.5 D6:1 B5:.5 | C#6:3";
constexpr std::string_view chords_b = "Bb | F | C | Dm | Bb | F | Gm | A";
constexpr std::string_view tune_b =
    "D6:1 C6:.5 Bb5:1 A5:.5 | A5:1.5 F5:1.5 | G5:1 A5:.5 G5:1 E5:.5 | F5:1.5 D5:1.5 |"
    "D6:1 E6:.5 F6:1 D6:.5 | C6:1.5 A5:1.5 | Bb5:1 A5:.5 G5:1 Bb5:.5 | A5:1.5 C#6:1.5";

const std::vector<int> lilt{0, 1, 2, 3, 2, 1};

score::Piece lantern_in_the_keep()
{
    score::Piece piece{.title = "Lantern in the Keep", .beats_per_bar = 3, .beat_unit = 4, .tempo = {{0, 104}},
                       .seed = 4141};
    piece.parts = {
        {.name = "Celesta", .program = 8, .volume = 112, .pan = 70, .reverb = 90, .chorus = 30},
        {.name = "Harp", .program = 46, .volume = 92, .pan = 50, .reverb = 80},
        {.name = "Strings", .program = 48, .volume = 86, .pan = 60, .reverb = 100, .chorus = 40},
        {.name = "Pizzicato", .program = 45, .volume = 100, .pan = 76, .reverb = 70},
    };
    score::Part& celesta = piece.parts[0];
    score::Part& harp = piece.parts[1];
    score::Part& strings = piece.parts[2];
    score::Part& pizz = piece.parts[3];
    arrange::Voices pad{4, 50, 69, {}};
    arrange::Voices broken{4, 50, 74, {}};

    double at = 0;
    for (int round = 0; round < 2; ++round)
        for (auto [chords, tune] : {std::pair{chords_a, tune_a}, std::pair{chords_b, tune_b}}) {
            const auto spans = arrange::progression(chords, at, bar);
            arrange::pad(strings, spans, pad, round == 0 ? 52 : 60, 0.1);
            arrange::bass(pizz, spans, 38, 72, 0.3);
            arrange::arpeggio(harp, spans, broken, lilt, 0.5, round == 0 ? 50 : 58, 1.5);
            arrange::melody(celesta, at, tune, round == 0 ? 70 : 78, 8, round == 0 ? 0 : 0);
            at = arrange::end_of(spans);
        }
    return piece;
}

} // namespace

void compose_music(const std::string& folder)
{
    smf::write_file(folder + "/frostkeep.mid", score::render(lantern_in_the_keep()));
}

} // namespace art
