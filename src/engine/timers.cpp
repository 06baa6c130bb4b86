// Frame timers 1..100: they advance in scene_begin and report once their period has passed.
#include <algorithm>

#include "engine/Varnel_2D_Engine.h"
#include "platform/numbers.h"

using namespace brisenfall;

namespace brisenfall {

timer_entry& timer_table::at(double index) {
  int32_t i = to_int32(index);
  if (i > in_use) i = in_use;
  if (i < 1) i = 1;
  return timers[static_cast<size_t>(i)];
}

}  // namespace brisenfall

void Varnel_2D_Engine::timer_init(double totaltimersneeded) {
  const int32_t count = std::clamp(to_int32(totaltimersneeded), 0, timer_capacity);
  for (int32_t i = 1; i <= timers_.in_use; ++i) timers_.timers[static_cast<size_t>(i)] = {};
  timers_.in_use = count;
}

void Varnel_2D_Engine::timer_on(double Index) {
  timer_entry& timer = timers_.at(Index);
  timer.elapsed = 0;
  timer.running = 1;
}

void Varnel_2D_Engine::timer_off(double Index) { timers_.at(Index).running = 0; }

void Varnel_2D_Engine::timer_set(double Index, double speed) {
  timer_entry& timer = timers_.at(Index);
  timer.elapsed = 0;
  timer.running = 1;
  timer.period = to_int32(speed);
}

bool Varnel_2D_Engine::timer_check(double Index) {
  timer_entry& timer = timers_.at(Index);
  if (timer.running == 0 || timer.elapsed <= timer.period) return false;
  timer.elapsed = 0;
  return true;
}
