// Private state of the engine object itself: the window binding, the screen size, the angle and
// direction tables.
#pragma once

#include <array>
#include <cstdint>

#include <varnel2d/display_device.h>

namespace varnel2d {

struct core_state {
  native_window window = 0;
  int32_t width = 0, height = 0, depth = 0;
  bool device_open = false;
  bool input_open = false;
  double pi = 0.0;
  std::array<float, 721> angle_table{};
  std::array<int16_t, 361> direction_table{};
};

}  // namespace varnel2d
