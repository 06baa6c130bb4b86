// The real show, frame by frame: CPU milliseconds and wall time per frame, frames per second and
// heap allocations per frame in steady state (the snow fully grown), at 1 300 and 3 000 flakes.
// "headless" runs on SDL's software renderer in memory with a settable clock; "display" runs on the
// real window and clocks (set DISPLAY, e.g. under xvfb-run, for Mesa's OpenGL).
#include <benchmark/benchmark.h>
#include <time.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include <varnel2d/Varnel_2D_Engine.h>
#include <varnel2d/testing/headless_display.h>
#include "testing/recording_system_services.h"
#include <varnel2d/testing/scripted_input.h>
#include <varnel2d/testing/settable_clock.h>
#include "show/show_window.h"

namespace {

std::atomic<long> heap_allocations{0};

double seconds_of(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct sample {
  double wall = 0, thread_cpu = 0, process_cpu = 0;
  long allocations = 0;
  static sample now() {
    return {seconds_of(CLOCK_MONOTONIC), seconds_of(CLOCK_THREAD_CPUTIME_ID), seconds_of(CLOCK_PROCESS_CPUTIME_ID),
            heap_allocations.load()};
  }
};

Varnel_2D_Engine* running_engine = nullptr;
varnel2d::settable_clock* headless_clock = nullptr;  // moved on by a 60 Hz frame each frame

std::unique_ptr<Varnel_2D_Engine> headless_engine() {
  auto clock = std::make_unique<varnel2d::settable_clock>();
  headless_clock = clock.get();
  return std::make_unique<Varnel_2D_Engine>(varnel2d::engine_backends{std::make_unique<varnel2d::headless_display>(),
                                                                        std::make_unique<varnel2d::scripted_input>(),
                                                                        std::move(clock), nullptr});
}

std::unique_ptr<Varnel_2D_Engine> display_engine() {
  varnel2d::sdl_display_options options;
  options.title = "Screensaver Form";
  return std::make_unique<Varnel_2D_Engine>(varnel2d::real_backends(options));
}

// Grows the snow for `settle` frames, then measures `measured` frames.
void show_frames(benchmark::State& state, bool headless) {
  constexpr int settle = 900, measured = 300;
  const auto flakes = static_cast<int16_t>(state.range(0));
  for (auto _ : state) {
    brisenfall::recording_system_services system("/tmp");
    brisenfall::shell_state shell;
    shell.settings.cfg_install_path = std::string(BRISENFALL_DATA_DIR) + "/";
    shell.settings.cfg_snow_amount = flakes;
    shell.settings.cfg_music_mute = headless ? 1 : 0;
    sample start, end;
    int frame = 0;
    double sprites_on = 0;
    const auto make_engine = [headless] {
      auto engine = headless ? headless_engine() : display_engine();
      running_engine = engine.get();
      return engine;
    };
    brisenfall::frmMain window(shell, {system, make_engine, [&] {
                                         ++frame;
                                         if (headless) headless_clock->advance_ms(1000.0 / 60);
                                         if (frame == settle) start = sample::now();
                                         if (frame == settle + measured) sprites_on = running_engine->sprite_gethowmanyon();
                                         if (frame == settle + measured) end = sample::now();
                                         return frame >= settle + measured;
                                       }});
    window.show_window();
    const double frames = measured;
    state.counters["cpu_ms_per_frame"] = (end.thread_cpu - start.thread_cpu) * 1000 / frames;
    state.counters["process_cpu_ms_per_frame"] = (end.process_cpu - start.process_cpu) * 1000 / frames;
    state.counters["fps"] = frames / (end.wall - start.wall);
    state.counters["sprites_on"] = sprites_on;
    state.counters["allocations_per_frame"] = static_cast<double>(end.allocations - start.allocations) / frames;
  }
}

void headless(benchmark::State& state) { show_frames(state, true); }
void display(benchmark::State& state) { show_frames(state, false); }

BENCHMARK(headless)->Arg(1300)->Arg(3000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(display)->Arg(1300)->Arg(3000)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

// Every heap allocation of the process is counted.
void* operator new(std::size_t size) {
  heap_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
// GCC cannot see that the replaced operator new above takes its memory from malloc.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

BENCHMARK_MAIN();
