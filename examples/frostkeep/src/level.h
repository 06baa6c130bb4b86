// The keep: read from the map file (layer 1 the tiles, layer 2 where the player starts and the
// spirits wait), its torches and crystals set moving, crystals taken and the exit opened.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine.h"
#include "sheet_layout.h"

namespace frostkeep {

struct spawn {
  layout::thing kind;
  double x, y;  // the cell's centre in map pixels
};

struct level {
  double start_x = 0, start_y = 0;
  int exit_column = -1, exit_row = -1;
  int crystals_total = 0, crystals_left = 0;
  bool exit_open = false;
  std::vector<spawn> spawns;
};

// Reads the map file from the data folder (with its tile sheet) and starts the tile animations.
bool load_level(engine& e, level& keep, std::string& error);
// Puts every crystal back and shuts the exit, as the map file has them.
void reset_level(engine& e, level& keep);
// Walls, pillars and torches; everything outside the map is solid too.
bool solid_at(engine& e, double x, double y);
// Takes the crystal under the point, if any; true when one was taken.
bool take_crystal(engine& e, level& keep, double x, double y);
void open_exit(engine& e, level& keep);
// The open exit's glow and star, in screen pixels over the map; call after map_draw.
void draw_exit(engine& e, const level& keep);
bool on_open_exit(engine& e, const level& keep, double x, double y);
// The stretch of free floor through a point, across (or up and down), as its two ends in map pixels.
std::pair<double, double> free_span(engine& e, double x, double y, bool across);

}  // namespace frostkeep
