// The dispatch table of the sprite pass: slot N holds the behaviour with code N. The start
// operation of each code is named beside its slot.
#include "engine/sprites/behaviour_table.h"

#include "engine/sprites/behaviours.h"

namespace brisenfall {

const std::array<sprite_step, highest_behaviour_code + 1> behaviour_table = {
    nullptr,                  //  0 none
    nullptr,                  //  1 sprite_enginemove, sprite_engineshoot, sprite_engineshootsprite
    nullptr,                  //  2 sprite_enginepong
    nullptr,                  //  3 sprite_enginetrack
    nullptr,                  //  4 sprite_engineorbit
    nullptr,                  //  5 sprite_engineoffset
    nullptr,                  //  6 none
    behave_sway_fall,         //  7 sprite_engineycos
    nullptr,                  //  8 sprite_enginelatch
    nullptr,                  //  9 sprite_engineframemove
    nullptr,                  // 10 sprite_enginemovetoxy
    nullptr,                  // 11 sprite_enginetracki
    nullptr,                  // 12 sprite_enginexsin
    nullptr,                  // 13 sprite_enginebillboardy
    nullptr,                  // 14 sprite_enginethrust
    nullptr,                  // 15 sprite_engineydrop
    nullptr,                  // 16 sprite_enginexdrop
    nullptr,                  // 17 sprite_enginebillboardx
    nullptr,                  // 18 sprite_enginevbounce
    nullptr,                  // 19 sprite_enginehbounce
    nullptr,                  // 20 none
    nullptr,                  // 21 sprite_engineorbitstill
    nullptr,                  // 22 sprite_engineorbitmove
    nullptr,                  // 23 sprite_enginekeymove
    nullptr,                  // 24 sprite_enginebutton
    nullptr,                  // 25 sprite_enginewrap
    nullptr,                  // 26 sprite_enginebounce
    nullptr,                  // 27 sprite_engineshake
    nullptr,                  // 28 sprite_enginemoveyrepeat
    nullptr,                  // 29 sprite_enginemovexrepeat
    nullptr,                  // 30 sprite_engineycosrepeat
    nullptr,                  // 31 sprite_enginexsinrepeat
    nullptr,                  // 32 sprite_enginemouse
    nullptr,                  // 33 sprite_enginebossmove1
    nullptr,                  // 34 sprite_enginebouncex
    behave_fade_on_fade_off,  // 35 sprite_enginefadeonfadeoff
};

const sprite_step animation_step = nullptr;

}  // namespace brisenfall
