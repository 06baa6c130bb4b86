// Angle tables and angle arithmetic.
#include "engine/angles.h"

#include <algorithm>
#include <cmath>

namespace varnel2d {

std::array<float, 721> make_angle_table(double pi) {
  std::array<float, 721> table{};
  for (int i = 0; i <= 720; ++i) {
    const int degrees = ((360 - i) % 360 + 360) % 360;
    table[static_cast<size_t>(i)] = static_cast<float>(degrees * pi / 180.0);
  }
  return table;
}

std::array<int16_t, 361> make_direction_table() {
  std::array<int16_t, 361> table{};
  int counter = 23;
  int16_t sector = 0;
  for (size_t degree = 0; degree < 360; ++degree) {
    table[degree] = sector;
    if (++counter == 45) {
      counter = 0;
      sector = static_cast<int16_t>((sector + 1) % 8);
    }
  }
  table[360] = 0;
  return table;
}

int32_t angle_index(double degrees) {
  const double whole = std::floor(degrees);
  if (whole >= 0 && whole <= 720) return static_cast<int32_t>(whole);
  if (!std::isfinite(whole)) return 0;
  return static_cast<int32_t>(std::fmod(std::fmod(whole, 360.0) + 360.0, 360.0));
}

float angle_towards(float x1, float y1, float x2, float y2, double pi) {
  const float dx = x1 - x2;
  const float dy = y1 - y2;
  double a = 0.0;
  if (dx > 0) {
    a = std::atan(static_cast<double>(dy / dx));
    if (dy < 0) a += 2 * pi;
  } else if (dx < 0) {
    a = std::atan(static_cast<double>(dy / dx)) + pi;
  } else {
    a = dy >= 0 ? pi / 2 : 3 * pi / 2;
  }
  double d = std::floor(a * 180 / pi) + 270;
  if (d > 360) d -= 360;
  return static_cast<float>(d);
}

std::pair<float, float> movement_towards(double angle, double velocity, double pi) {
  double a = std::clamp(angle, 0.0, 359.0) + 270;
  if (a > 360) a -= 360;
  return {static_cast<float>(velocity * std::cos(a * pi / 180)), static_cast<float>(velocity * std::sin(a * pi / 180))};
}

}  // namespace varnel2d
