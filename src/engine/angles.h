// Angle and direction math of the engine: whole degrees, 0 up (towards smaller y), clockwise.
#pragma once

#include <array>
#include <cstdint>
#include <utility>

namespace varnel2d {

// The engine's pi, used by all of its angle arithmetic.
inline constexpr double engine_pi = 3.14159265358979;

// Entry i holds ((360 - i) mod 360) degrees in radians, for i = 0..720: the counter-clockwise turn
// that shows as i degrees clockwise.
std::array<float, 721> make_angle_table(double pi);

// Entry d is the 45-degree sector 0..7 (0 up, clockwise) that degree d lies in, centred on 0.
std::array<int16_t, 361> make_direction_table();

// A rotation in degrees as an angle-table index: rounded down, and outside 0..720 wrapped into 0..359.
int32_t angle_index(double degrees);

// Whole degrees 1..360 from point 1 towards point 2 (straight up and equal points give 360).
float angle_towards(float x1, float y1, float x2, float y2, double pi);

// The movement of `velocity` towards `angle` (clamped to 0..359): angle 0 gives (0, -velocity).
std::pair<float, float> movement_towards(double angle, double velocity, double pi);

}  // namespace varnel2d
