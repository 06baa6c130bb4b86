// Frame timing: the clock, waits, frame cap settings and the delta-mode history.
#include <numeric>

#include "engine/Varnel_2D_Engine.h"
#include "platform/numbers.h"

using namespace brisenfall;

namespace {
// Waits sleep right up to their deadline: a sleep overshoots by some tens of microseconds, which
// no frame notices, while spinning instead would cost the main thread CPU every frame. A sleep
// shorter than this is all timer slack: the wait spins through it.
constexpr double shortest_sleep_ms = 0.05;

// How long a wait may sleep when the deadline falls at `deadline_ms` and it is `now_ms`.
double sleep_before(double deadline_ms, double now_ms) {
  const double remaining = deadline_ms - now_ms;
  return remaining >= shortest_sleep_ms ? remaining : 0.0;
}
}  // namespace

namespace brisenfall {

delta_outcome delta_step(frame_state& frames, int32_t now) {
  int32_t elapsed = now - frames.last_tick;
  frames.last_tick = now;
  if (elapsed > longest_frame_ms) elapsed = longest_frame_ms;
  frames.elapsed = elapsed;
  frames.history_index = (frames.history_index + 1) % static_cast<int32_t>(frames.history.size());
  frames.history[static_cast<size_t>(frames.history_index)] = elapsed;
  frames.history_sum = std::accumulate(frames.history.begin(), frames.history.end(), 0);
  delta_outcome outcome;
  outcome.timedelta = static_cast<float>(frames.history_sum / 10.0);
  if (outcome.timedelta > static_cast<float>(elapsed)) {
    outcome.wait_ms = outcome.timedelta - static_cast<float>(elapsed);
    outcome.timedelta = static_cast<float>((static_cast<double>(outcome.timedelta) + elapsed) / 2);
  } else if (outcome.timedelta < static_cast<float>(elapsed)) {
    outcome.timedelta = static_cast<float>((static_cast<double>(outcome.timedelta) + elapsed) / 2);
  }
  return outcome;
}

void seed_history(frame_state& frames, double fps) {
  if (!(fps > 0)) return;
  frames.history.fill(to_int32(1000 / fps));
}

}  // namespace brisenfall

void Varnel_2D_Engine::scene_setframerate(double fps, bool deltaflag) {
  if (fps < 1) {
    frames_.cap = 0;
    frames_.interval = 0;
    frames_.delta = true;
    lib_initdelta(50);
    return;
  }
  frames_.cap = to_int32(fps);
  frames_.interval = to_int32(1000 / fps);
  lib_initdelta(fps);
  frames_.delta = deltaflag;
}

double Varnel_2D_Engine::scene_getframerate() const { return framerate; }

void Varnel_2D_Engine::lib_initdelta(double fps) { seed_history(frames_, fps); }

double Varnel_2D_Engine::lib_tickcount() {
  clock_source& clock = *backends_.clock;
  if (frames_.counter_chosen) {
    frames_.last_counter = clock.counter();
    return to_int32(static_cast<double>(frames_.last_counter) / static_cast<double>(frames_.counter_frequency) * 1000);
  }
  return static_cast<int32_t>(clock.milliseconds());
}

void Varnel_2D_Engine::lib_setcountertype(bool highperformance) {
  frames_.counter_chosen = frames_.counter_supported && highperformance;
}

bool Varnel_2D_Engine::lib_highperformancecountersupport() const { return frames_.counter_supported; }

void Varnel_2D_Engine::lib_delay(double delayms) { private_wait_until(lib_tickcount() + delayms); }

void Varnel_2D_Engine::private_wait_until(double deadline) {
  for (double now = lib_tickcount(); now < deadline; now = lib_tickcount()) {
    if (!frames_.counter_chosen) {
      backends_.clock->pass_time(sleep_before(deadline, now));
      continue;
    }
    // The counter's tick count is rounded to the nearest millisecond: it reaches the deadline half
    // a millisecond before the counter does.
    const double precise_now =
        static_cast<double>(frames_.last_counter) / static_cast<double>(frames_.counter_frequency) * 1000;
    backends_.clock->pass_time(sleep_before(deadline - 0.5, precise_now));
  }
}

void Varnel_2D_Engine::lib_doevents(double howmany) {
  const int16_t times = to_int16(howmany);
  for (int16_t i = 0; i < times; ++i) backends_.input->pump_events();
}
