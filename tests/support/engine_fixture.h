// The engine tests' one fixture: an engine on test doubles (with offline audio when asked), started at
// 640 x 480 with a temporary folder as its data path and timedelta fixed at 1, and a way to put a plain
// texture in a slot.
#pragma once

#include <varnel2d/testing/engine_on_doubles.h>

#include <array>
#include <cstdint>
#include <string>

#include "support/temp_folder.h"
#include "support/test_files.h"

namespace varnel2d::testing {

template <typename Engine>
struct started_engine : Engine {
  temp_folder folder;
  explicit started_engine(bool with_offline_audio = false) : Engine(with_offline_audio) {
    this->engine->lib_setpath(folder.path().string());
    this->engine->init(0, 640, 480, 32);
    this->engine->timedelta = 1.0f;
  }
  // A width x height picture of one colour, written to the data folder and loaded into slot `index`.
  void load_texture(int index, int32_t width = 64, int32_t height = 64, uint32_t argb = 0xFFFFFFFFu) {
    const std::string name = "texture" + std::to_string(index) + ".png";
    write_png(folder.file(name), filled_image(width, height, argb));
    this->engine->texture_load(index, name, 0u);
  }
  // One frame whose drawing takes `work_ms`; returns the time spent inside scene_end.
  double frame(double work_ms = 0) {
    this->engine->scene_begin();
    this->clock->advance_ms(work_ms);
    const double before = this->clock->now_ms();
    this->engine->scene_end();
    return this->clock->now_ms() - before;
  }
};

using started_recorded = started_engine<recorded_engine>;
using started_headless = started_engine<headless_engine>;

// The display handle of texture slot `index`, learned by drawing from it once.
inline image_handle handle_of(started_recorded& e, int index) {
  e->texture_draw(index, 0, 0, 1, 1, 0, 0, 255, 255, 255, 255, 0, 1, 1, true, 0, 0, 0, 1, 1, 0);
  const image_handle handle = e.display->quads.back().texture;
  e.display->quads.clear();
  return handle;
}

// A quad's source rectangle and its screen position, each compared in one check.
inline std::array<int32_t, 4> source_of(const sprite_quad& q) { return {q.left, q.top, q.right, q.bottom}; }
inline std::array<float, 2> position_of(const sprite_quad& q) { return {q.x, q.y}; }

}  // namespace varnel2d::testing

namespace brisenfall::testing {
using namespace varnel2d::testing;
}  // namespace brisenfall::testing
