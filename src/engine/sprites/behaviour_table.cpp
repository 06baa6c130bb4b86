// The dispatch table of the sprite pass: slot N holds the behaviour with code N. The start
// operation of each code is named beside its slot.
#include "engine/sprites/behaviour_table.h"

#include "engine/sprites/behaviours.h"

namespace brisenfall {

const std::array<sprite_step, highest_behaviour_code + 1> behaviour_table = {
    nullptr,                      //  0 none
    behave_straight,              //  1 sprite_enginemove, sprite_engineshoot, sprite_engineshootsprite
    behave_pong,                  //  2 sprite_enginepong
    behave_track,                 //  3 sprite_enginetrack
    behave_orbit_sprite,          //  4 sprite_engineorbit
    behave_path_offset,           //  5 sprite_engineoffset
    nullptr,                      //  6 none
    behave_sway_fall,             //  7 sprite_engineycos
    behave_latch,                 //  8 sprite_enginelatch
    behave_frame_move,            //  9 sprite_engineframemove
    behave_move_to_point,         // 10 sprite_enginemovetoxy
    behave_track_with_inertia,    // 11 sprite_enginetracki
    behave_sine_swing,            // 12 sprite_enginexsin
    behave_billboard_y,           // 13 sprite_enginebillboardy
    behave_thrust,                // 14 sprite_enginethrust
    behave_drop_y,                // 15 sprite_engineydrop
    behave_drop_x,                // 16 sprite_enginexdrop
    behave_billboard_x,           // 17 sprite_enginebillboardx
    behave_bounce_vertical,       // 18 sprite_enginevbounce
    behave_bounce_horizontal,     // 19 sprite_enginehbounce
    nullptr,                      // 20 none
    behave_orbit_still,           // 21 sprite_engineorbitstill
    behave_orbit_move,            // 22 sprite_engineorbitmove
    behave_key_move,              // 23 sprite_enginekeymove
    behave_button,                // 24 sprite_enginebutton
    behave_wrap,                  // 25 sprite_enginewrap
    behave_ball_bounce_y,         // 26 sprite_enginebounce
    behave_shake,                 // 27 sprite_engineshake
    behave_move_y_repeat,         // 28 sprite_enginemoveyrepeat
    behave_move_x_repeat,         // 29 sprite_enginemovexrepeat
    behave_sway_fall_repeat,      // 30 sprite_engineycosrepeat
    behave_sine_swing_repeat,     // 31 sprite_enginexsinrepeat
    behave_follow_mouse,          // 32 sprite_enginemouse
    behave_boss_move,             // 33 sprite_enginebossmove1
    behave_ball_bounce_x,         // 34 sprite_enginebouncex
    behave_fade_on_fade_off,      // 35 sprite_enginefadeonfadeoff
};

const sprite_step animation_step = animate_frames;

}  // namespace brisenfall
