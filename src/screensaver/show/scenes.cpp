// Scene layout and the cross-fade between the two scene sprite pairs.
#include "show/scenes.h"

#include <array>

#include <varnel2d/Varnel_2D_Engine.h>

namespace brisenfall {
namespace {

constexpr int16_t SLICE_HEIGHT = 480;

struct scene_row {
  scene_part left, right;
};

constexpr scene_part part(int16_t texture, int16_t source_x, int16_t width) {
  return {texture, source_x, 0, width, SLICE_HEIGHT};
}

// Ten 640-pixel scenes side by side, cut into 512-pixel slices f1 .. f13.
constexpr std::array<scene_row, SCENE_COUNT> SCENE_TABLE = {{
    {part(1, 0, 512), part(2, 0, 128)},
    {part(2, 128, 384), part(3, 0, 256)},
    {part(3, 256, 256), part(4, 0, 384)},
    {part(4, 384, 128), part(5, 0, 512)},
    {part(6, 0, 512), part(7, 0, 128)},
    {part(7, 128, 384), part(8, 0, 256)},
    {part(8, 256, 256), part(9, 0, 384)},
    {part(9, 384, 128), part(10, 0, 512)},
    {part(11, 0, 512), part(12, 0, 128)},
    {part(12, 128, 384), part(13, 0, 256)},
}};

void show_part(Varnel_2D_Engine& engine, int32_t sprite, double x, const scene_part& p) {
  engine.sprite_on(sprite, x, 0, p.texture, p.source_x, p.source_y, 0, 0, p.width, p.height, true);
}

void fade_in(Varnel_2D_Engine& engine, int32_t sprite) {
  engine.sprite_enginesetalphafading(sprite, 0, 0.1, 0, 255, 0, 7);
}

void fade_out(Varnel_2D_Engine& engine, int32_t sprite) {
  engine.sprite_enginesetalphafading(sprite, 255, -0.1, 0, 255, 0, 8);
}

}  // namespace

void get_frame(show_state& show, int32_t sceneindex) {
  if (sceneindex < 1 || sceneindex > SCENE_COUNT) return;
  const scene_row& row = SCENE_TABLE[static_cast<size_t>(sceneindex - 1)];
  show.scene_layout = {row.left, row.right};
}

void new_scene(Varnel_2D_Engine& engine, show_state& show) {
  double scene = show.current_scene;
  engine.lib_varaddwrap(scene, 1, 1, show.scene_count);
  show.current_scene = static_cast<int16_t>(scene);
  get_frame(show, show.current_scene);
  show.layer_toggle = !show.layer_toggle;

  const int32_t n = show.snow_amount;
  const int32_t pair_a_left = n - 1, pair_a_right = n, pair_b_left = n - 3, pair_b_right = n - 2;
  const bool on_pair_a = !show.layer_toggle;
  const int32_t new_left = on_pair_a ? pair_a_left : pair_b_left;
  const int32_t new_right = on_pair_a ? pair_a_right : pair_b_right;
  const int32_t old_left = on_pair_a ? pair_b_left : pair_a_left;
  const int32_t old_right = on_pair_a ? pair_b_right : pair_a_right;

  const auto& [left, right] = show.scene_layout;
  show_part(engine, new_left, 0, left);
  show_part(engine, new_right, left.width, right);
  fade_in(engine, new_left);
  fade_in(engine, new_right);
  fade_out(engine, old_left);
  fade_out(engine, old_right);
}

}  // namespace brisenfall
