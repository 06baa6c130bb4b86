// Frostkeep's assets: where the engine holds them (texture, sound and music slots) and how they get
// there (the pack unpacked into a cache folder, compressed files expanded, then everything loaded).
#pragma once

#include <string>

#include "engine.h"

namespace frostkeep {

// Texture slots. The map file loads its tile sheet into slot 1 itself.
enum texture : int { tiles_texture = 1, sprites_texture, font_texture, title_texture };
// Sound slots.
enum sound : int { pickup_sound = 1, hurt_sound, whoosh_sound, open_sound, level_sound, gameover_sound, select_sound };
inline constexpr int music_piece = 1;

inline constexpr const char* pack_name = "frostkeep.pak";
inline constexpr const char* map_name = "keep.map";

// Copies the pack from `pack_folder` into `cache_folder` (created when missing), makes that the
// engine's data folder, unpacks the pack there and expands the files that were packed compressed.
// False, with the reason in `error`, when a file is missing or the pack is refused.
bool unpack_assets(engine& e, const std::string& pack_folder, const std::string& cache_folder, std::string& error);

// Loads the textures, animations, sounds and music from the data folder. The map is the level's.
bool load_assets(engine& e, std::string& error);

// Plays a sound panned towards where it happens on screen (x in screen pixels) at a volume in
// hundredths of a decibel.
void play_at(engine& e, sound s, double screen_x, double volume = 0);

}  // namespace frostkeep
