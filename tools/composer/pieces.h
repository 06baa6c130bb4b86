// The four built-in pieces, each described in its own file.
#pragma once

#include "score.h"

namespace pieces {

// music1: celesta and glockenspiel over strings, D major.
score::Piece first_snow();
// music2: solo piano with sustain pedal, F major.
score::Piece lamplight_nocturne();
// music3: music box over a choir, G major.
score::Piece music_box_lullaby();
// music4: harp and flute over strings, D dorian.
score::Piece winter_pastorale();

}  // namespace pieces
