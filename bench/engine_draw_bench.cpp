// Draws per second through texture_draw (N small rotated, tinted, alpha-blended quads a frame from
// one texture) on the headless and the "opengl" displays, beside a hand-written loop that sends the
// same quads straight to SDL_RenderGeometry on the same kind of renderer. The ratio of the two is the
// engine's overhead. The "opengl" cases need an X display: run under xvfb-run (see run-draw-bench).
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include <varnel2d/Varnel_2D_Engine.h>
#include <varnel2d/testing/headless_display.h>
#include <varnel2d/testing/scripted_input.h>
#include "engine/backends/sdl_clock.h"
#include <varnel2d/engine_backends.h>

namespace {

constexpr int screen_w = 640, screen_h = 480, quad_side = 32;

// The values of quad i in frame f, shared by both loops.
struct quad_values {
  double x, y, rotation, alpha, red, green, blue;
};
quad_values values(int i, int frame) {
  return {static_cast<double>((i * 37) % (screen_w - quad_side)), static_cast<double>((i * 91) % (screen_h - quad_side)),
          static_cast<double>((i * 7 + frame) % 360), static_cast<double>(128 + i % 128),
          static_cast<double>(155 + i % 100), static_cast<double>(255 - i % 100), 255.0};
}

// A soft white disc, saved once as the texture both loops draw.
std::string texture_file() {
  static const std::string file = [] {
    const std::string path = (std::filesystem::temp_directory_path() / "brisenfall-bench-flake.png").string();
    SDL_Surface* disc = SDL_CreateRGBSurfaceWithFormat(0, quad_side, quad_side, 32, SDL_PIXELFORMAT_ARGB8888);
    auto* pixels = static_cast<uint32_t*>(disc->pixels);
    for (int y = 0; y < quad_side; ++y)
      for (int x = 0; x < quad_side; ++x) {
        const double d = std::hypot(x - 15.5, y - 15.5) / 16.0;
        const auto a = static_cast<uint32_t>(d >= 1 ? 0 : 255 * (1 - d));
        pixels[y * quad_side + x] = (a << 24) | 0xFFFFFFu;
      }
    IMG_SavePNG(disc, path.c_str());
    SDL_FreeSurface(disc);
    return path;
  }();
  return file;
}

bool have_display() { return getenv("DISPLAY") != nullptr; }

// ---- Through the engine ----------------------------------------------------------------------

std::unique_ptr<Varnel_2D_Engine> open_engine(std::unique_ptr<varnel2d::display_device> display) {
  auto engine = std::make_unique<Varnel_2D_Engine>(varnel2d::engine_backends{
      std::move(display), std::make_unique<varnel2d::scripted_input>(), varnel2d::make_sdl_clock(), nullptr});
  if (!engine->init(0, screen_w, screen_h, 32) || !engine->texture_load(1, texture_file(), 0u, true)) return nullptr;
  engine->scene_setframerate(100000, false);  // frame mode, no waiting: measure drawing only
  return engine;
}

void engine_frames(benchmark::State& state, Varnel_2D_Engine* engine) {
  if (engine == nullptr) {
    state.SkipWithError("the display could not be opened");
    return;
  }
  const int quads = static_cast<int>(state.range(0));
  int frame = 0;
  for (auto _ : state) {
    engine->scene_begin();
    for (int i = 0; i < quads; ++i) {
      const quad_values v = values(i, frame);
      engine->texture_draw(1, 0, 0, quad_side, quad_side, v.x, v.y, v.alpha, v.red, v.green, v.blue, v.rotation, 1, 1,
                           false, 0, 0, 0, 1, 1, 0);
    }
    engine->scene_end();
    ++frame;
  }
  state.SetItemsProcessed(state.iterations() * quads);
}

void BM_engine_headless(benchmark::State& state) {
  static auto engine = open_engine(std::make_unique<varnel2d::headless_display>());
  engine_frames(state, engine.get());
}

void BM_engine_opengl(benchmark::State& state) {
  if (!have_display()) return state.SkipWithError("no DISPLAY");
  static auto engine =
      open_engine(varnel2d::make_sdl_display({"opengl", false, "Varnel 2D", varnel2d::display_renderer::gl}));
  engine_frames(state, engine.get());
}

void BM_engine_software(benchmark::State& state) {
  if (!have_display()) return state.SkipWithError("no DISPLAY");
  static auto engine =
      open_engine(varnel2d::make_sdl_display({"opengl", false, "Varnel 2D", varnel2d::display_renderer::software}));
  engine_frames(state, engine.get());
}

// ---- By hand ---------------------------------------------------------------------------------

struct raw_target {
  SDL_Window* window = nullptr;
  SDL_Surface* surface = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* back_buffer = nullptr;
  SDL_Texture* texture = nullptr;
};

raw_target open_raw(bool window) {
  raw_target t;
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  if (window) {
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    SDL_DisplayMode desktop{};
    SDL_GetDesktopDisplayMode(0, &desktop);
    t.window = SDL_CreateWindow("bench", 0, 0, desktop.w, desktop.h, SDL_WINDOW_BORDERLESS);
    t.renderer = SDL_CreateRenderer(t.window, -1, SDL_RENDERER_TARGETTEXTURE);
  } else {
    t.surface = SDL_CreateRGBSurfaceWithFormat(0, screen_w, screen_h, 32, SDL_PIXELFORMAT_ARGB8888);
    t.renderer = SDL_CreateSoftwareRenderer(t.surface);
  }
  if (t.renderer == nullptr) return t;
  t.back_buffer = SDL_CreateTexture(t.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET, screen_w, screen_h);
  t.texture = IMG_LoadTexture(t.renderer, texture_file().c_str());
  SDL_SetTextureBlendMode(t.texture, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(t.texture, SDL_ScaleModeLinear);
  return t;
}

void raw_frames(benchmark::State& state, const raw_target& t) {
  if (t.texture == nullptr || t.back_buffer == nullptr) {
    state.SkipWithError("the renderer could not be opened");
    return;
  }
  const int quads = static_cast<int>(state.range(0));
  std::vector<SDL_Vertex> vertices;
  std::vector<int> indices;
  int frame = 0;
  for (auto _ : state) {
    SDL_SetRenderTarget(t.renderer, t.back_buffer);
    SDL_SetRenderDrawColor(t.renderer, 0, 0, 0, 255);
    SDL_RenderClear(t.renderer);
    vertices.clear();
    indices.clear();
    for (int i = 0; i < quads; ++i) {
      const quad_values v = values(i, frame);
      const float angle = static_cast<float>(v.rotation) * std::numbers::pi_v<float> / 180;
      const float c = std::cos(angle), s = std::sin(angle), h = quad_side / 2.0f;
      const float cx = static_cast<float>(v.x) + h, cy = static_cast<float>(v.y) + h;
      const SDL_Color colour{static_cast<Uint8>(v.red), static_cast<Uint8>(v.green), static_cast<Uint8>(v.blue),
                             static_cast<Uint8>(v.alpha)};
      const float corners[4][2] = {{-h, -h}, {h, -h}, {h, h}, {-h, h}};
      const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
      const int first = static_cast<int>(vertices.size());
      for (int k = 0; k < 4; ++k)
        vertices.push_back({{cx + corners[k][0] * c - corners[k][1] * s, cy + corners[k][0] * s + corners[k][1] * c},
                            colour,
                            {uv[k][0], uv[k][1]}});
      for (const int k : {0, 1, 2, 0, 2, 3}) indices.push_back(first + k);
    }
    SDL_RenderGeometry(t.renderer, t.texture, vertices.data(), static_cast<int>(vertices.size()), indices.data(),
                       static_cast<int>(indices.size()));
    SDL_SetRenderTarget(t.renderer, nullptr);
    SDL_RenderClear(t.renderer);
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(t.renderer, &w, &h);
    const varnel2d::screen_rect box = varnel2d::letterbox(screen_w, screen_h, w, h);
    const SDL_Rect to{box.x, box.y, box.w, box.h};
    SDL_RenderCopy(t.renderer, t.back_buffer, nullptr, &to);
    SDL_RenderPresent(t.renderer);
    ++frame;
  }
  state.SetItemsProcessed(state.iterations() * quads);
}

void BM_raw_geometry_headless(benchmark::State& state) {
  static const raw_target target = open_raw(false);
  raw_frames(state, target);
}

void BM_raw_geometry_opengl(benchmark::State& state) {
  if (!have_display()) return state.SkipWithError("no DISPLAY");
  static const raw_target target = open_raw(true);
  raw_frames(state, target);
}

}  // namespace

BENCHMARK(BM_engine_headless)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_raw_geometry_headless)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_engine_opengl)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_engine_software)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_raw_geometry_opengl)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
