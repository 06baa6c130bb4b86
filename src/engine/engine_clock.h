// The engine's own time: whole milliseconds in 64 bits, read from one of the clock seam's two
// sources (the high-resolution counter or the millisecond clock). It starts at the clock's reading,
// never wraps and never goes back, and a change of source carries it on from where it is: both
// sources count from one origin.
#pragma once

#include <cstdint>
#include <optional>

#include <varnel2d/clock.h>

namespace varnel2d {

class engine_clock {
 public:
  // Takes the counter when the clock has one, else the millisecond clock, from its reading.
  void start(clock_source& clock);
  bool counter_supported() const { return frequency_ != 0; }
  bool counter_chosen() const { return counter_chosen_; }
  // The counter when asked for and supported, else the millisecond clock.
  void choose_counter(clock_source& clock, bool counter);
  // Reads the chosen source: the counter rounded to the nearest millisecond (halves to even), the
  // millisecond clock as it counts. A source that went back has counted nothing.
  int64_t now_ms(clock_source& clock);
  // The last reading with the counter's fraction of a millisecond.
  double last_precise_ms() const { return precise_ms_; }

 private:
  uint64_t frequency_ = 0;
  bool counter_chosen_ = false;
  int64_t now_ms_ = 0;
  double precise_ms_ = 0;
  int64_t mark_ms_ = 0;  // the time at which the counter read counter_mark_
  uint64_t counter_mark_ = 0;
  std::optional<uint32_t> last_reading_;  // the millisecond clock's previous reading
};

// A tick count as the 32-bit signed number it is read as: the low 32 bits, wrapping.
int32_t wrapped_tick_count(int64_t ms);

}  // namespace varnel2d
