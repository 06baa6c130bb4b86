// Makes a sprite's direction of motion readable in tests: animation d + 1 (one frame) belongs to
// direction d, and the animation by direction shows which one the last pass chose.
#pragma once

#include <string>

#include <varnel2d/Varnel_2D_Engine.h>

namespace varnel2d::testing {

inline void watch_direction(Varnel_2D_Engine& engine, double sprite) {
  std::string list;
  for (int direction = 0; direction <= 8; ++direction) {
    engine.sprite_animateset(direction + 1, 0, 0, 16, 16, 1, "0,0", "1");
    list += (direction == 0 ? "" : ",") + std::to_string(direction + 1) + ",1";
  }
  engine.sprite_animatedirection(sprite, 8, list);
}

// The direction the last pass showed: 0 up, clockwise, 8 none.
inline int direction_of(Varnel_2D_Engine& engine, double sprite) {
  return static_cast<int>(engine.sprite_animategetanim(sprite)) - 1;
}

}  // namespace varnel2d::testing
