// The clock seam: a high-resolution counter, a millisecond tick count and a way to let time pass.
// Backends: sdl_clock (the real clocks), settable_clock (tests).
#pragma once

#include <cstdint>

namespace varnel2d {

class clock_source {
 public:
  virtual ~clock_source() = default;
  // High-resolution counter from an arbitrary start no earlier than the clock's creation, and its
  // ticks a second: 0 when there is no such counter.
  virtual uint64_t counter() = 0;
  virtual uint64_t counter_frequency() = 0;
  // Milliseconds since an arbitrary start, wrapping at 2^32.
  virtual uint32_t milliseconds() = 0;
  // Lets about that many milliseconds pass (the real clock sleeps); 0 or less is one short spin step.
  virtual void pass_time(double milliseconds) = 0;
};

}  // namespace varnel2d
