// The per-frame sprite pass with 1 300 and 3 000 live sprites, each with an alpha, a rotation and
// a scale effect running: on the recording display (the engine's own cost per sprite) and on the
// headless display (a whole frame rasterised by SDL's software renderer: clear, pass, present).
// The recording display's own cost of keeping the quads is measured beside the pass.
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include <varnel2d/Varnel_2D_Engine.h>
#include <varnel2d/testing/headless_display.h>
#include <varnel2d/testing/recording_display.h>
#include <varnel2d/testing/scripted_input.h>
#include <varnel2d/testing/settable_clock.h>

namespace {

constexpr int screen_w = 640, screen_h = 480, frame_side = 32;

// An opaque white 32 x 32 frame, saved once.
std::string texture_file() {
  static const std::string file = [] {
    const std::string path = (std::filesystem::temp_directory_path() / "brisenfall-bench-sprite.png").string();
    SDL_Surface* square = SDL_CreateRGBSurfaceWithFormat(0, frame_side, frame_side, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(square, nullptr, 0xFFFFFFFFu);
    IMG_SavePNG(square, path.c_str());
    SDL_FreeSurface(square);
    return path;
  }();
  return file;
}

template <typename Display>
struct sprite_scene {
  Display* display = nullptr;
  std::unique_ptr<Varnel_2D_Engine> engine;

  explicit sprite_scene(int sprites) {
    auto made = std::make_unique<Display>();
    display = made.get();
    engine = std::make_unique<Varnel_2D_Engine>(varnel2d::engine_backends{
        std::move(made), std::make_unique<varnel2d::scripted_input>(), std::make_unique<varnel2d::settable_clock>(), nullptr});
    if (!engine->init(0, screen_w, screen_h, 32) || !engine->texture_load(1, texture_file(), 0u, true)) {
      engine.reset();
      return;
    }
    engine->sprite_init(sprites);
    for (int n = 1; n <= sprites; ++n) {
      engine->sprite_on(n, (n * 37) % screen_w, (n * 91) % screen_h, 1, 0, 0, 0, 0, frame_side, frame_side);
      engine->sprite_enginesetalphafading(n, n % 256, 1, 0, 255, 0, 3);
      engine->sprite_enginesetrotating(n, n % 360, 2, 0, 359, 0, 0);
      engine->sprite_enginesetscaling(n, 0.5 + (n % 100) / 100.0, 0.01, 0.5, 1.5, 0, 3);
    }
    engine->timedelta = 1.0f;
  }
};

// Nanoseconds per sprite from the time of all iterations.
void count_sprites(benchmark::State& state, int sprites) {
  state.counters["per_sprite"] = benchmark::Counter(static_cast<double>(sprites) * static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void pass_on_recording_display(benchmark::State& state) {
  const int sprites = static_cast<int>(state.range(0));
  sprite_scene<varnel2d::recording_display> scene(sprites);
  if (!scene.engine) {
    state.SkipWithError("the engine could not be started");
    return;
  }
  for (auto _ : state) {
    scene.display->quads.clear();
    scene.display->calls.clear();
    scene.engine->sprites_draw();
    benchmark::DoNotOptimize(scene.display->quads.data());
  }
  count_sprites(state, sprites);
}

// The recording display's own share: the same number of ready-made quads recorded, no engine.
void recording_display_alone(benchmark::State& state) {
  const int sprites = static_cast<int>(state.range(0));
  varnel2d::recording_display display;
  const varnel2d::sprite_quad quad{1, 0, 0, frame_side, frame_side, 1.0f, 1.0f, 16.0f, 16.0f, 0.5f, 10.0f, 20.0f, 0x80FFFFFFu};
  for (auto _ : state) {
    display.quads.clear();
    display.calls.clear();
    for (int n = 0; n < sprites; ++n) display.draw(quad);
    benchmark::DoNotOptimize(display.quads.data());
  }
  count_sprites(state, sprites);
}

void frame_on_headless_display(benchmark::State& state) {
  const int sprites = static_cast<int>(state.range(0));
  sprite_scene<varnel2d::headless_display> scene(sprites);
  if (!scene.engine) {
    state.SkipWithError("the engine could not be started");
    return;
  }
  for (auto _ : state) {
    scene.display->begin_frame();
    scene.engine->sprites_draw();
    scene.display->present();
  }
  count_sprites(state, sprites);
}

}  // namespace

BENCHMARK(pass_on_recording_display)->Arg(1300)->Arg(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(recording_display_alone)->Arg(1300)->Arg(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(frame_on_headless_display)->Arg(1300)->Arg(3000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
