// The dispatch table of the sprite pass: slot N holds the behaviour with code N and the operation
// that starts it (code 1 has three; the first is named).
#include "engine/sprites/behaviour_table.h"

#include "engine/sprites/behaviours.h"

namespace varnel2d {

const std::array<behaviour_slot, highest_behaviour_code + 1> behaviour_table = {{
    {},                                                       //  0 none
    {behave_straight, "sprite_enginemove"},                   //  1
    {behave_pong, "sprite_enginepong"},                       //  2
    {behave_track, "sprite_enginetrack"},                     //  3
    {behave_orbit_sprite, "sprite_engineorbit"},              //  4
    {behave_path_offset, "sprite_engineoffset"},              //  5
    {},                                                       //  6 none
    {behave_sway_fall, "sprite_engineycos"},                  //  7
    {behave_latch, "sprite_enginelatch"},                     //  8
    {behave_frame_move, "sprite_engineframemove"},            //  9
    {behave_move_to_point, "sprite_enginemovetoxy"},          // 10
    {behave_track_with_inertia, "sprite_enginetracki"},       // 11
    {behave_sine_swing, "sprite_enginexsin"},                 // 12
    {behave_billboard_y, "sprite_enginebillboardy"},          // 13
    {behave_thrust, "sprite_enginethrust"},                   // 14
    {behave_drop_y, "sprite_engineydrop"},                    // 15
    {behave_drop_x, "sprite_enginexdrop"},                    // 16
    {behave_billboard_x, "sprite_enginebillboardx"},          // 17
    {behave_bounce_vertical, "sprite_enginevbounce"},         // 18
    {behave_bounce_horizontal, "sprite_enginehbounce"},       // 19
    {},                                                       // 20 none
    {behave_orbit_still, "sprite_engineorbitstill"},          // 21
    {behave_orbit_move, "sprite_engineorbitmove"},            // 22
    {behave_key_move, "sprite_enginekeymove"},                // 23
    {behave_button, "sprite_enginebutton"},                   // 24
    {behave_wrap, "sprite_enginewrap"},                       // 25
    {behave_ball_bounce_y, "sprite_enginebounce"},            // 26
    {behave_shake, "sprite_engineshake"},                     // 27
    {behave_move_y_repeat, "sprite_enginemoveyrepeat"},       // 28
    {behave_move_x_repeat, "sprite_enginemovexrepeat"},       // 29
    {behave_sway_fall_repeat, "sprite_engineycosrepeat"},     // 30
    {behave_sine_swing_repeat, "sprite_enginexsinrepeat"},    // 31
    {behave_follow_mouse, "sprite_enginemouse"},              // 32
    {behave_boss_move, "sprite_enginebossmove1"},             // 33
    {behave_ball_bounce_x, "sprite_enginebouncex"},           // 34
    {behave_fade_on_fade_off, "sprite_enginefadeonfadeoff"},  // 35
}};

const sprite_step animation_step = animate_frames;

}  // namespace varnel2d
