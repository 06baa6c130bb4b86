// Frame timing: the clock, waits, frame cap settings and the delta-mode history.
#include <algorithm>
#include <limits>
#include <numeric>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {
// Waits sleep right up to their end: a sleep overshoots by some tens of microseconds, which no
// frame notices, while spinning instead would cost the main thread CPU every frame. A sleep
// shorter than this is all timer slack: the wait spins through it.
constexpr double shortest_sleep_ms = 0.05;

// The most a history entry may hold: ten of them still sum in 32 bits.
constexpr double longest_history_entry_ms = std::numeric_limits<int32_t>::max() / 10;
}  // namespace

namespace varnel2d {

delta_outcome delta_step(frame_state& frames, int64_t now) {
  const int64_t since_last = now - frames.last_tick;
  frames.last_tick = now;
  const auto elapsed = static_cast<int32_t>(std::clamp<int64_t>(since_last, 0, longest_frame_ms));
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
  if (!(fps > 0) || 1000 / fps > longest_history_entry_ms) return;
  frames.history.fill(to_int32(1000 / fps));
}

}  // namespace varnel2d

void Varnel_2D_Engine::scene_setframerate(double fps, bool deltaflag) {
  if (fps < 1) {
    state_->frames.cap = 0;
    state_->frames.interval = 0;
    state_->frames.delta = true;
    lib_initdelta(50);
    return;
  }
  state_->frames.cap = to_int32(fps);
  state_->frames.interval = to_int32(1000 / fps);
  lib_initdelta(fps);
  state_->frames.delta = deltaflag;
  // Frame mode counts in frames from the very next one, not from the next scene_end.
  if (!deltaflag) timedelta = 1.0f;
}

double Varnel_2D_Engine::scene_getframerate() const { return framerate; }

void Varnel_2D_Engine::lib_initdelta(double fps) { seed_history(state_->frames, fps); }

double Varnel_2D_Engine::lib_tickcount() { return wrapped_tick_count(private_now()); }

int64_t Varnel_2D_Engine::private_now() { return state_->frames.clock.now_ms(*state_->backends.clock); }

void Varnel_2D_Engine::lib_setcountertype(bool highperformance) {
  state_->frames.clock.choose_counter(*state_->backends.clock, highperformance);
}

bool Varnel_2D_Engine::lib_highperformancecountersupport() const { return state_->frames.clock.counter_supported(); }

void Varnel_2D_Engine::lib_delay(double delayms) { private_wait_since(private_now(), delayms); }

void Varnel_2D_Engine::private_wait_since(int64_t mark, double ms) {
  const engine_clock& clock = state_->frames.clock;
  for (int64_t now = private_now(); static_cast<double>(now - mark) < ms; now = private_now()) {
    // The counter's time is rounded to the nearest millisecond: it gets there half a millisecond
    // before the counter does.
    const double rounding = clock.counter_chosen() ? 0.5 : 0.0;
    const double remaining = static_cast<double>(mark) + ms - rounding - clock.last_precise_ms();
    state_->backends.clock->pass_time(remaining >= shortest_sleep_ms ? remaining : 0.0);
  }
}

void Varnel_2D_Engine::lib_doevents(double howmany) {
  const int16_t times = to_int16(howmany);
  for (int16_t i = 0; i < times; ++i) state_->backends.input->pump_events();
}
