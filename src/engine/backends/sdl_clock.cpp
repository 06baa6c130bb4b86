// The SDL clock backend.
#include "engine/backends/sdl_clock.h"

#include <SDL_timer.h>

#include <chrono>
#include <thread>

namespace varnel2d {
namespace {

class sdl_clock final : public clock_source {
 public:
  // Counted from the clock's creation: SDL's counter runs from the machine's start, so the tick
  // count derived from it starts small whatever the machine's uptime (it wraps 24.8 days on).
  uint64_t counter() override { return SDL_GetPerformanceCounter() - start_; }
  uint64_t counter_frequency() override { return SDL_GetPerformanceFrequency(); }
  uint32_t milliseconds() override { return static_cast<uint32_t>(SDL_GetTicks64()); }
  void pass_time(double milliseconds) override {
    if (milliseconds > 0) {
      std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(milliseconds));
    } else {
#if defined(__x86_64__) || defined(__i386__)
      __builtin_ia32_pause();
#endif
    }
  }

 private:
  const uint64_t start_ = SDL_GetPerformanceCounter();
};

}  // namespace

std::unique_ptr<clock_source> make_sdl_clock() { return std::make_unique<sdl_clock>(); }

}  // namespace varnel2d
