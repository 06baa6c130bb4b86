// The real clock: its counter starts with the clock, so the tick count the engine derives from it
// starts small however long the machine has been up.
#include <gtest/gtest.h>

#include "engine/backends/sdl_clock.h"

namespace varnel2d {
namespace {

TEST(sdl_clock, the_counter_counts_from_the_clocks_creation_and_only_forwards) {
  const auto clock = make_sdl_clock();
  ASSERT_GT(clock->counter_frequency(), 0u);
  const uint64_t first = clock->counter();
  clock->pass_time(5);
  const uint64_t second = clock->counter();
  const double frequency = static_cast<double>(clock->counter_frequency());
  EXPECT_LT(static_cast<double>(first) / frequency, 60.0) << "the counter runs from before the clock was made";
  EXPECT_GE(static_cast<double>(second - first) / frequency, 0.005);
  EXPECT_LT(static_cast<double>(second - first) / frequency, 60.0);
}

}  // namespace
}  // namespace varnel2d
