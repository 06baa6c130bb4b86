// The real clocks: SDL's performance counter and millisecond ticks; waits sleep.
#pragma once

#include <memory>

#include "platform/clock.h"

namespace brisenfall {

std::unique_ptr<clock_source> make_sdl_clock();

}  // namespace brisenfall
