// Never faster than the screen: the schedule of a frame cap, as plain arithmetic on a millisecond
// clock. Where the display waits for the vertical retrace the schedule never has to wait itself.
#pragma once

namespace varnel2d {

// The refresh rate to cap at: the display's, or 60 when it reports none.
double cap_rate(int reported_hz);

class frame_pacer {
 public:
  explicit frame_pacer(double frames_per_second);

  // How long to wait (ms) before the frame ending at `now_ms` may be shown; a frame later than its
  // slot is shown at once and starts a new schedule, so a slow frame is never made up by fast ones.
  double wait_before_showing(double now_ms);

 private:
  double interval_ms_;
  double next_ms_ = 0;
  bool started_ = false;
};

}  // namespace varnel2d
