// A clock double: time moves only when the test sets it or when the engine lets time pass
// (a sleep moves it by the amount asked, a spin step by a small fixed step).
#pragma once

#include <cstdint>

#include <varnel2d/clock.h>

namespace varnel2d {

class settable_clock final : public clock_source {
 public:
  // Counter in microseconds.
  uint64_t counter() override { return counter_supported ? static_cast<uint64_t>(now_us_) : 0; }
  uint64_t counter_frequency() override { return counter_supported ? 1000000u : 0u; }
  uint32_t milliseconds() override { return static_cast<uint32_t>(now_us_ / 1000 + milliseconds_ahead); }
  void pass_time(double milliseconds) override;

  void set_ms(double ms) { now_us_ = static_cast<int64_t>(ms * 1000.0); }
  void advance_ms(double ms) { now_us_ += static_cast<int64_t>(ms * 1000.0); }
  double now_ms() const { return static_cast<double>(now_us_) / 1000.0; }

  bool counter_supported = true;
  int64_t milliseconds_ahead = 0;  // the millisecond clock counts from another start than the counter
  double spin_step_ms = 0.05;
  double slept_ms = 0.0;   // total of the sleeps asked for
  int64_t spins = 0;

 private:
  int64_t now_us_ = 1000000;  // start at one second, like a machine that has been up a while
};

}  // namespace varnel2d
