// The settable clock double.
#include "platform/settable_clock.h"

namespace brisenfall {

void settable_clock::pass_time(double milliseconds) {
  if (milliseconds > 0) {
    slept_ms += milliseconds;
    advance_ms(milliseconds);
  } else {
    ++spins;
    advance_ms(spin_step_ms);
  }
}

}  // namespace brisenfall
