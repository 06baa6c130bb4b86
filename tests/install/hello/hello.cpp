// Twenty lines on the installed engine, run headless: a sprite moves 0.1 pixels a millisecond for
// 100 frames of 10 ms each, and the program prints where it ended.
#include <cstdio>

#include <varnel2d/testing/engine_on_doubles.h>

int main() {
  varnel2d::testing::headless_engine headless;
  Varnel_2D_Engine& engine = *headless.engine;
  if (!engine.init(0, 640, 480, 32)) return 1;
  engine.sprite_init(1);
  engine.sprite_on(1, 100, 100, 0, 0, 0, 0, 0, 16, 16);
  engine.sprite_enginemove(1, 0.1, 0, 0, 0, 640, 480);
  engine.timedelta = 10;  // each frame counts as 10 ms
  for (int frame = 0; frame < 100; ++frame) {
    engine.scene_begin();
    engine.sprites_draw();
    engine.scene_end();
    engine.timedelta = 10;
  }
  std::printf("x=%g y=%g\n", engine.sprite_getx(1), engine.sprite_gety(1));
  engine.terminate();
}
