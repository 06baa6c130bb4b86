// The engine's 64-bit time over the clock seam.
#include "engine/engine_clock.h"

#include <algorithm>
#include <cmath>

namespace varnel2d {

void engine_clock::start(clock_source& clock) {
  frequency_ = clock.counter_frequency();
  counter_chosen_ = counter_supported();
  mark_ms_ = 0;
  counter_mark_ = 0;
  last_reading_.reset();
}

void engine_clock::choose_counter(clock_source& clock, bool counter) {
  const bool chosen = counter && counter_supported();
  if (chosen == counter_chosen_) return;
  now_ms(clock);
  counter_chosen_ = chosen;
  if (chosen) {
    mark_ms_ = now_ms_;
    counter_mark_ = clock.counter();
  } else {
    last_reading_ = clock.milliseconds();
  }
}

int64_t engine_clock::now_ms(clock_source& clock) {
  if (counter_chosen_) {
    const uint64_t counter = clock.counter();
    if (counter < counter_mark_) {
      mark_ms_ = now_ms_;
      counter_mark_ = counter;
    }
    const double since_mark = static_cast<double>(counter - counter_mark_) / static_cast<double>(frequency_) * 1000;
    precise_ms_ = static_cast<double>(mark_ms_) + since_mark;
    now_ms_ = mark_ms_ + static_cast<int64_t>(std::nearbyint(since_mark));
    return now_ms_;
  }
  const uint32_t reading = clock.milliseconds();
  if (!last_reading_) {
    now_ms_ = reading;
  } else {
    // The difference of two readings is right across the 32-bit wrap.
    now_ms_ += std::max(static_cast<int32_t>(reading - *last_reading_), 0);
  }
  last_reading_ = reading;
  precise_ms_ = static_cast<double>(now_ms_);
  return now_ms_;
}

int32_t wrapped_tick_count(int64_t ms) { return static_cast<int32_t>(static_cast<uint32_t>(ms)); }

}  // namespace varnel2d
