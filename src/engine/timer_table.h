// Private state of the frame timers: timers 1..100 counting frames or milliseconds.
#pragma once

#include <array>
#include <cstdint>

namespace varnel2d {

inline constexpr int32_t timer_capacity = 100;

struct timer_entry {
  int32_t elapsed = 0;
  int32_t running = 0;
  int32_t period = 0;
};

struct timer_table {
  std::array<timer_entry, timer_capacity + 1> timers{};  // entry 0 is never addressed
  int32_t in_use = 0;

  // An index above the number in use becomes that number; then below 1 becomes 1.
  timer_entry& at(double index);
};

}  // namespace varnel2d
