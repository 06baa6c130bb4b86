// A first program on the Varnel 2D engine: a window, a texture, a sprite the arrow keys move, and
// Escape to end.
#include <filesystem>

#include <varnel2d/Varnel_2D_Engine.h>
#include <varnel2d/keys.h>

namespace key = varnel2d::key;

int main() {
  Varnel_2D_Engine engine;
  // The data folder: textures, sounds and maps are looked up here (the folder of this program).
  engine.lib_setpath(std::filesystem::canonical("/proc/self/exe").parent_path().string());
  if (!engine.init(0, 640, 480, 32)) return 1;  // 0: a window of the engine's own
  engine.scene_setframerate(60, true);           // 60 frames a second; speeds per millisecond
  // Magenta is transparent; the flake is a 64 x 64 picture.
  if (!engine.texture_load(1, "flake.png", 0xFFFF00FFu)) return 1;
  engine.sprite_init(1);
  engine.sprite_on(1, 320, 240, 1, 0, 0, 0, 0, 64, 64);
  // The arrow keys move it 0.2 pixels a millisecond, inside the screen.
  engine.sprite_enginekeymove(1, 0.2, 0.2, key::left, key::up, key::right, key::down, 32, 32, 608, 448);
  engine.sprite_enginesetrotating(1, 0, 0.05, 0, 359, 0, 0);  // and turns slowly, round and round
  while (!engine.key_check(key::escape)) {
    engine.scene_begin();
    engine.sprites_draw();
    engine.text(10, 10, 620, 40, "Arrow keys move the flake; Escape ends.", 0xFFFFFFFFu, "Liberation Sans",
                12, false, false, 0, 1, 1, 0);
    engine.scene_end();
  }
  engine.terminate();
}
