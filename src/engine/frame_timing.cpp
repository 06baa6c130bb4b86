// Frame timing: the clock, waits, frame cap settings and the delta-mode history.
#include <algorithm>
#include <limits>
#include <numeric>

#include "engine/Varnel_2D_Engine.h"
#include "platform/numbers.h"

using namespace brisenfall;

namespace {
// Waits sleep right up to their end: a sleep overshoots by some tens of microseconds, which no
// frame notices, while spinning instead would cost the main thread CPU every frame. A sleep
// shorter than this is all timer slack: the wait spins through it.
constexpr double shortest_sleep_ms = 0.05;

// The most a history entry may hold: ten of them still sum in 32 bits.
constexpr double longest_history_entry_ms = std::numeric_limits<int32_t>::max() / 10;
}  // namespace

namespace brisenfall {

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

double Varnel_2D_Engine::lib_tickcount() { return wrapped_tick_count(private_now()); }

int64_t Varnel_2D_Engine::private_now() { return frames_.clock.now_ms(*backends_.clock); }

void Varnel_2D_Engine::lib_setcountertype(bool highperformance) {
  frames_.clock.choose_counter(*backends_.clock, highperformance);
}

bool Varnel_2D_Engine::lib_highperformancecountersupport() const { return frames_.clock.counter_supported(); }

void Varnel_2D_Engine::lib_delay(double delayms) { private_wait_since(private_now(), delayms); }

void Varnel_2D_Engine::private_wait_since(int64_t mark, double ms) {
  const engine_clock& clock = frames_.clock;
  for (int64_t now = private_now(); static_cast<double>(now - mark) < ms; now = private_now()) {
    // The counter's time is rounded to the nearest millisecond: it gets there half a millisecond
    // before the counter does.
    const double rounding = clock.counter_chosen() ? 0.5 : 0.0;
    const double remaining = static_cast<double>(mark) + ms - rounding - clock.last_precise_ms();
    backends_.clock->pass_time(remaining >= shortest_sleep_ms ? remaining : 0.0);
  }
}

void Varnel_2D_Engine::lib_doevents(double howmany) {
  const int16_t times = to_int16(howmany);
  for (int16_t i = 0; i < times; ++i) backends_.input->pump_events();
}
