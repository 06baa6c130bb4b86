// The frame cap's schedule: never two frames shown closer than the refresh interval on average,
// and a late frame is not made up for.
#include <gtest/gtest.h>

#include "engine/backends/frame_pacing.h"

namespace varnel2d {
namespace {

TEST(frame_pacing, the_cap_is_the_reported_rate_or_60) {
  EXPECT_EQ(cap_rate(75), 75);
  EXPECT_EQ(cap_rate(0), 60);
  EXPECT_EQ(cap_rate(-1), 60);
}

TEST(frame_pacing, quick_frames_wait_for_their_slot) {
  frame_pacer pacer(50);  // 20 ms a frame
  EXPECT_EQ(pacer.wait_before_showing(1000), 0);
  EXPECT_DOUBLE_EQ(pacer.wait_before_showing(1002), 18);  // shown at 1020
  EXPECT_DOUBLE_EQ(pacer.wait_before_showing(1021), 19);  // shown at 1040
  // A hundred frames that each take 1 ms are shown over 2 seconds: 50 a second.
  double now = 1040;
  for (int i = 0; i < 100; ++i) now += 1 + pacer.wait_before_showing(now + 1);
  EXPECT_NEAR(now, 1040 + 100 * 20, 1e-6);
}

TEST(frame_pacing, a_late_frame_starts_a_new_schedule) {
  frame_pacer pacer(50);
  pacer.wait_before_showing(0);
  EXPECT_EQ(pacer.wait_before_showing(95), 0);            // late: shown at once
  EXPECT_DOUBLE_EQ(pacer.wait_before_showing(100), 15);   // the next slot is 20 ms after it
  EXPECT_DOUBLE_EQ(pacer.wait_before_showing(115), 20);
}

}  // namespace
}  // namespace varnel2d
