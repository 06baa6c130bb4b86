// Frame timers 1..100: they advance in scene_begin and report once their period has passed.
#include <algorithm>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace varnel2d {

timer_entry& timer_table::at(double index) {
  int32_t i = to_int32(index);
  if (i > in_use) i = in_use;
  if (i < 1) i = 1;
  return timers[static_cast<size_t>(i)];
}

}  // namespace varnel2d

void Varnel_2D_Engine::timer_init(double totaltimersneeded) {
  const int32_t count = std::clamp(to_int32(totaltimersneeded), 0, timer_capacity);
  for (int32_t i = 1; i <= state_->timers.in_use; ++i) state_->timers.timers[static_cast<size_t>(i)] = {};
  state_->timers.in_use = count;
}

void Varnel_2D_Engine::timer_on(double Index) {
  timer_entry& timer = state_->timers.at(Index);
  timer.elapsed = 0;
  timer.running = 1;
}

void Varnel_2D_Engine::timer_off(double Index) { state_->timers.at(Index).running = 0; }

void Varnel_2D_Engine::timer_set(double Index, double speed) {
  timer_entry& timer = state_->timers.at(Index);
  timer.elapsed = 0;
  timer.running = 1;
  timer.period = to_int32(speed);
}

bool Varnel_2D_Engine::timer_check(double Index) {
  timer_entry& timer = state_->timers.at(Index);
  if (timer.running == 0 || timer.elapsed <= timer.period) return false;
  timer.elapsed = 0;
  return true;
}
