// Private state of the frame cycle: frame cap, frames per second, the delta-mode history and the
// engine's clock; and the delta-mode step as a free function. Times are the engine clock's 64-bit
// milliseconds, and the rules compare the time that has passed since a mark, never a deadline.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/engine_clock.h"

namespace varnel2d {

inline constexpr int32_t longest_frame_ms = 50;

struct frame_state {
  int32_t interval = 0;          // ms between frame ends under a cap, 0 without
  int64_t capped_frame_end = 0;  // when the last capped frame ended: the next ends an interval later
  int32_t cap = 0;               // frames per second last requested
  int32_t counter = 0;           // frames ended since the last once-a-second update
  int64_t last_second = 0;
  int64_t last_tick = 0;
  int32_t elapsed = 0;  // ms of the last frame, at most 50
  std::array<int32_t, 10> history{};
  int32_t history_index = 0;
  int32_t history_sum = 0;
  bool delta = false;
  std::string stats_line;
  int32_t screenshot_counter = 0;
  engine_clock clock;
};

struct delta_outcome {
  float timedelta = 0.0f;
  float wait_ms = 0.0f;  // how long the frame end waits to pull a quick frame back to the mean
};

// Records the frame that ended at clock value `now` and returns the new time factor. A clock that
// went back counts as a frame of 0 ms.
delta_outcome delta_step(frame_state& frames, int64_t now);

// Fills the history with 1000 / fps per frame (sum and index stay). A rate of 0 or less, or one so
// low that ten entries would not sum in 32 bits, is refused and leaves the history as it was.
void seed_history(frame_state& frames, double fps);

}  // namespace varnel2d
