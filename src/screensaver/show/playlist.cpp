// Loading the pieces into music slots and playing them in turn.
#include "show/playlist.h"

#include <algorithm>
#include <string>

#include <varnel2d/Varnel_2D_Engine.h>

namespace brisenfall {
namespace {

constexpr int16_t MUSIC_SLOTS = 64;

bool plays_custom_list(const settings_values& settings) {
  return settings.cfg_custom_music == 1 && settings.cfg_music_count >= 1;
}

void load_track(Varnel_2D_Engine& engine, show_state& show, int16_t slot, const std::string& file, bool full_path) {
  if (slot > MUSIC_SLOTS) return;
  const bool loaded = engine.music_load(slot, file, full_path);
  show.loaded_tracks[static_cast<size_t>(slot)] = loaded;
  // A piece moved or deleted since it was chosen is named in the log; its turn is skipped.
  const std::string path = full_path ? file : engine.path + file;
  if (!loaded && !engine.lib_fileexists(path)) engine.log("Cannot find the music " + path);
}

bool track_loaded(const show_state& show, int16_t slot) {
  return slot >= 1 && slot <= MUSIC_SLOTS && show.loaded_tracks[static_cast<size_t>(slot)];
}

}  // namespace

void music_setup(Varnel_2D_Engine& engine, show_state& show, const settings_values& settings) {
  show.loaded_tracks.fill(false);
  if (settings.cfg_music_mute == 0) {
    if (plays_custom_list(settings)) {
      // A hand-edited list may be longer than the engine has slots: the rotation keeps to the
      // entries that fit, counted wide so that no count of entries can wrap.
      const size_t used = std::min({static_cast<size_t>(settings.cfg_music_count), settings.cfg_music_files.size(),
                                    static_cast<size_t>(MUSIC_SLOTS)});
      show.music_count = static_cast<int16_t>(used);
      for (size_t i = 1; i <= used; ++i)
        load_track(engine, show, static_cast<int16_t>(i), settings.cfg_music_files[i - 1], true);
    } else {
      show.music_count = BUILT_IN_PIECES;
      for (int16_t i = 1; i <= BUILT_IN_PIECES; ++i)
        load_track(engine, show, i, "music" + std::to_string(i) + ".mid", false);
    }
    engine.music_volume(settings.cfg_music_volume);
  }
  show.current_track = static_cast<int16_t>(engine.lib_getnumber(1, show.music_count) - 1);
}

void music_check(Varnel_2D_Engine& engine, show_state& show, const settings_values& settings) {
  if (settings.cfg_music_mute != 0 || engine.music_isplaying()) return;
  // A piece that did not load is skipped, so one missing file does not silence its turn.
  for (int16_t tried = 0; tried < show.music_count; ++tried) {
    double track = show.current_track;
    engine.lib_varaddwrap(track, 1, 1, show.music_count);
    show.current_track = static_cast<int16_t>(track);
    if (track_loaded(show, show.current_track)) {
      engine.music_play(show.current_track, false);
      return;
    }
  }
}

}  // namespace brisenfall
