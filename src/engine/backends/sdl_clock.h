// The real clocks: SDL's performance counter and millisecond ticks; waits sleep.
#pragma once

#include <memory>

#include <varnel2d/clock.h>

namespace varnel2d {

std::unique_ptr<clock_source> make_sdl_clock();

}  // namespace varnel2d
