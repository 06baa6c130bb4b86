// Private state of the sprite family: the table of sprite records, the z-order list and the sort
// cursor. Both the table and the list are 1-based; element 0 is unused.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/draw_math.h"
#include "engine/sprites/sprite_record.h"

namespace varnel2d {

// The parts of a sprite's turn in the pass that read the sprite's own data.
enum class turn_part { behaviour, animation, effects };

struct sprite_table {
  int32_t spritetotal = 0;
  std::vector<sprite_record> sprites;  // 1..spritetotal
  std::vector<int32_t> zorder;         // list position 1..spritetotal -> sprite; 1 is drawn first
  int32_t sortcursor = 1;              // list position of the incremental sort
  // Sprites and operations whose bad data the log has named already.
  std::set<std::pair<int32_t, std::string>> faults_logged;

  // The record of sprite `number` 1..spritetotal; throws std::out_of_range outside the table.
  sprite_record& at(double number);
  const sprite_record& at(double number) const;
};

// A sprite is live (counted as on, not free) when it is on or waiting on a delay.
inline bool is_live(const sprite_record& sprite) { return sprite.state >= 1 || sprite.delay >= 1; }

// Switched off: the slot is free again; every other field keeps its value.
inline void switch_off(sprite_record& sprite) {
  sprite.state = 0;
  sprite.delay = 0;
}

// The sprite's centre: its frame's centre for a top-left origin, else its position.
inline grid_point sprite_centre(const sprite_record& sprite) {
  return frame_centre(sprite.x, sprite.y, sprite.framewidth, sprite.frameheight, sprite.origintopleft);
}

}  // namespace varnel2d
