// Unpacking and loading the assets.
#include "assets.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace frostkeep {
namespace {

namespace fs = std::filesystem;

// Every file the game reads from its data folder; each is in the pack as itself or as name + ".z".
constexpr const char* packed_files[] = {"tiles.png", "sprites.png",  "font.png",     "title.png",  "frostkeep.ani",
                                        map_name,    "pickup.wav",   "hurt.wav",     "whoosh.wav", "open.wav",
                                        "level.wav", "gameover.wav", "select.wav",   "frostkeep.mid"};

// The pack's data file: the index file's name with its last letter one further on.
std::string data_file_of(std::string index) {
  index.back() = static_cast<char>(index.back() + 1);
  return index;
}

}  // namespace

bool unpack_assets(engine& e, const std::string& pack_folder, const std::string& cache_folder, std::string& error) {
  std::error_code failed;
  fs::create_directories(cache_folder, failed);
  // The engine unpacks into its data folder, which holds the pack too: the pack goes to the cache.
  for (const std::string& name : {std::string(pack_name), data_file_of(pack_name)}) {
    fs::copy_file(fs::path(pack_folder) / name, fs::path(cache_folder) / name, fs::copy_options::overwrite_existing,
                  failed);
    if (failed) {
      error = "cannot copy " + (fs::path(pack_folder) / name).string() + " to " + cache_folder + ": " + failed.message();
      return false;
    }
  }
  e.lib_setpath(cache_folder);
  if (!e.lib_fileunpack(pack_name)) {
    error = "the pack " + e.path + pack_name + " is damaged or not a pack";
    return false;
  }
  for (const char* name : packed_files) {
    const std::string plain = e.path + name, compressed = plain + ".z";
    if (e.lib_fileexists(compressed) && !e.lib_fileuncompress(compressed, plain)) {
      error = "cannot expand " + compressed;
      return false;
    }
    if (!e.lib_fileexists(plain)) {
      error = "the pack holds no " + std::string(name);
      return false;
    }
  }
  return true;
}

bool load_assets(engine& e, std::string& error) {
  constexpr uint32_t magenta = 0xFFFF00FF;
  const std::pair<texture, const char*> textures[] = {
      {sprites_texture, "sprites.png"}, {font_texture, "font.png"}, {title_texture, "title.png"}};
  for (const auto& [slot, name] : textures)
    if (!e.texture_load(slot, name, magenta)) {
      error = "cannot load the picture " + e.path + name;
      return false;
    }
  // The animation file names its sheet as texture 1; the offset moves it to the sprite sheet's slot.
  if (!e.sprite_animatefileinit("frostkeep.ani", sprites_texture - 1)) {
    error = "cannot read the animations " + e.path + "frostkeep.ani";
    return false;
  }
  const std::pair<sound, const char*> sounds[] = {
      {pickup_sound, "pickup.wav"}, {hurt_sound, "hurt.wav"},         {whoosh_sound, "whoosh.wav"},
      {open_sound, "open.wav"},     {level_sound, "level.wav"},       {gameover_sound, "gameover.wav"},
      {select_sound, "select.wav"}};
  // Sound and music are welcome but not needed: without a sound device the game plays silently.
  for (const auto& [slot, name] : sounds) e.sound_load(slot, name);
  e.music_load(music_piece, "frostkeep.mid");
  return true;
}

void play_at(engine& e, sound s, double screen_x, double volume) {
  const double half = e.lib_getscreenwidth() / 2;
  e.sound_volume(s, volume);
  e.sound_pan(s, std::clamp((screen_x - half) / half, -1.0, 1.0) * 2500);
  e.sound_play(s, false, 0);
}

}  // namespace frostkeep
