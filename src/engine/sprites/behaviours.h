// The behaviour functions, one per behaviour code, that behaviour_table.cpp puts into its slots,
// and the animation step of the pass.
#pragma once

#include "engine/sprites/behaviour_table.h"

namespace varnel2d {

// Set velocities (behaviours_linear.cpp).
turn_result behave_straight(sprite_turn& turn);              //  1 moves; off outside, stops or off at the end
turn_result behave_pong(sprite_turn& turn);                  //  2 turns back at the bounds
turn_result behave_frame_move(sprite_turn& turn);            //  9 runs round the rectangle
turn_result behave_move_to_point(sprite_turn& turn);         // 10 heads for a point and stops there
turn_result behave_wrap(sprite_turn& turn);                  // 25 reappears at the opposite bound
turn_result behave_shake(sprite_turn& turn);                 // 27 jumps about its place
turn_result behave_move_y_repeat(sprite_turn& turn);         // 28 re-enters at the other y bound
turn_result behave_move_x_repeat(sprite_turn& turn);         // 29 re-enters at the other x bound

// Acceleration (behaviours_thrust.cpp).
turn_result behave_billboard_y(sprite_turn& turn);           // 13 flies in, waits, flies out, up or down
turn_result behave_thrust(sprite_turn& turn);                // 14 accelerates
turn_result behave_drop_y(sprite_turn& turn);                // 15 falls and lands on a y bound
turn_result behave_drop_x(sprite_turn& turn);                // 16 falls and lands on an x bound
turn_result behave_billboard_x(sprite_turn& turn);           // 17 flies in, waits, flies out, across
turn_result behave_bounce_vertical(sprite_turn& turn);       // 18 thrust bouncing off the y bounds
turn_result behave_bounce_horizontal(sprite_turn& turn);     // 19 thrust bouncing off the x bounds
turn_result behave_ball_bounce_y(sprite_turn& turn);         // 26 a ball bouncing up and down
turn_result behave_ball_bounce_x(sprite_turn& turn);         // 34 a ball bouncing across

// Swings and circles (behaviours_wave.cpp).
turn_result behave_orbit_sprite(sprite_turn& turn);          //  4 circles another sprite
turn_result behave_sway_fall(sprite_turn& turn);             //  7 falls swinging on a cosine; off outside
turn_result behave_sine_swing(sprite_turn& turn);            // 12 moves across swinging on a sine
turn_result behave_orbit_still(sprite_turn& turn);           // 21 circles its place
turn_result behave_orbit_move(sprite_turn& turn);            // 22 circles a moving place
turn_result behave_sway_fall_repeat(sprite_turn& turn);      // 30 the sway fall, re-entering at the top
turn_result behave_sine_swing_repeat(sprite_turn& turn);     // 31 the sine swing, re-entering at the side
turn_result behave_boss_move(sprite_turn& turn);             // 33 crosses and swings about a target height

// Following (behaviours_targets.cpp) and the user (behaviours_input.cpp).
turn_result behave_track(sprite_turn& turn);                 //  3 steps towards another sprite
turn_result behave_latch(sprite_turn& turn);                 //  8 rides on another sprite
turn_result behave_track_with_inertia(sprite_turn& turn);    // 11 accelerates towards another sprite
turn_result behave_key_move(sprite_turn& turn);              // 23 moves by the held keys
turn_result behave_button(sprite_turn& turn);                // 24 a button under the cursor
turn_result behave_follow_mouse(sprite_turn& turn);          // 32 follows the cursor

// Offset paths (sprite_offsets.cpp).
turn_result behave_path_offset(sprite_turn& turn);           //  5 walks a path one point at a time

// 35: fade on, hold, fade off (started by sprite_enginefadeonfadeoff), in sprite_effects.cpp.
turn_result behave_fade_on_fade_off(sprite_turn& turn);

// The animation step (sprite_animation.cpp): the next frame when it is due, by the mode.
turn_result animate_frames(sprite_turn& turn);
// The operation that starts animation mode 1..7, for the log.
const char* animation_operation(int32_t mode);

}  // namespace varnel2d
