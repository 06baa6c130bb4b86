// The pictures, sounds and music of Frostkeep, one function per file that makes them.
#pragma once

#include <cairo.h>
#include <string>

namespace art {

// sprites.png and frostkeep.ani: the player, the spirits, small things and their animations.
void paint_sprites(const std::string& folder);
// tiles.png: floors, walls, torches, crystals and the exit on the map's tile grid.
void paint_tiles(const std::string& folder);
// font.png: the bitmap font of the score line.
void paint_font(const std::string& folder);
// title.png: the keep under the aurora with the game's name.
void paint_title(const std::string& folder);
// pickup.wav, hurt.wav, whoosh.wav, open.wav, level.wav, gameover.wav, select.wav.
void synthesize_sounds(const std::string& folder);
// frostkeep.mid: the music that plays while the keep is explored.
void compose_music(const std::string& folder);

// Cairo shorthands the painters share.
void set_rgb(cairo_t* cr, unsigned hex, double alpha = 1.0);
void ellipse(cairo_t* cr, double x, double y, double rx, double ry);
// A radial glow of the colour, full at the centre and nothing at `radius`, added as light.
void light(cairo_t* cr, double x, double y, double radius, unsigned hex, double alpha);

} // namespace art
