// The frame cap's schedule.
#include "engine/backends/frame_pacing.h"

namespace varnel2d {
namespace {
constexpr double RATE_WHEN_UNKNOWN = 60;
}  // namespace

double cap_rate(int reported_hz) { return reported_hz > 0 ? reported_hz : RATE_WHEN_UNKNOWN; }

frame_pacer::frame_pacer(double frames_per_second) : interval_ms_(1000.0 / frames_per_second) {}

double frame_pacer::wait_before_showing(double now_ms) {
  if (!started_ || now_ms >= next_ms_) {
    started_ = true;
    next_ms_ = now_ms + interval_ms_;
    return 0;
  }
  const double wait = next_ms_ - now_ms;
  next_ms_ += interval_ms_;
  return wait;
}

}  // namespace varnel2d
