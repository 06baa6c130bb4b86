// The settable clock double.
#include <varnel2d/testing/settable_clock.h>

namespace varnel2d {

void settable_clock::pass_time(double milliseconds) {
  if (milliseconds > 0) {
    slept_ms += milliseconds;
    advance_ms(milliseconds);
  } else {
    ++spins;
    advance_ms(spin_step_ms);
  }
}

}  // namespace varnel2d
