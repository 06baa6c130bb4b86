// Opens the real display, draws the second frame of a sprite sheet and saves a screenshot.
// Usage: real_display_frame DATA_FOLDER [auto|gl|software]. Exit status 0 when every step worked.
#include <cstdio>

#include <varnel2d/Varnel_2D_Engine.h>
#include <varnel2d/engine_backends.h>

int main(int argc, char** argv) {
  varnel2d::sdl_display_options options;
  const auto renderer = argc == 3 ? varnel2d::renderer_named(argv[2]) : varnel2d::display_renderer::automatic;
  if ((argc != 2 && argc != 3) || !renderer) {
    std::fprintf(stderr, "usage: %s DATA_FOLDER [auto|gl|software]\n", argv[0]);
    return 2;
  }
  options.renderer = *renderer;
  Varnel_2D_Engine engine(varnel2d::real_backends(options));
  engine.lib_setpath(argv[1]);
  if (!engine.init(0, 640, 480, 32)) return 3;
  if (!engine.texture_load(1, "sheet.png", 0xFFFF00FFu)) return 4;
  engine.scene_begin();
  // Frame 1 of a grid of 32 x 32 frames with a one-pixel gap.
  engine.texture_draw(1, 33, 0, 32, 32, 100, 100, 255, 255, 255, 255, 0, 1, 1, true, 0, 0, 0, 1, 1, 0);
  engine.texture_draw(1, 33, 0, 32, 32, 300, 200, 255, 255, 255, 255, 90, 2, 2, false, 0, 0, 0, 1, 1, 0);
  const bool saved = engine.lib_savescreenshot();
  engine.scene_end();
  engine.terminate();
  return saved ? 0 : 5;
}
