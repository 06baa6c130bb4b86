// The stand-alone MIDI player: an audio system of its own, opened for a piece and closed on stop.
#include <varnel2d/music_player.h>

#include <varnel2d/numbers.h>

#include "engine/backends/audio_levels.h"
#include "engine/backends/audio_system.h"
#include "engine/backends/midi_file.h"
#include "engine/backends/soundfont.h"

namespace varnel2d {

music_player::music_player() = default;

music_player::~music_player() { stop(); }

bool music_player::play(const std::string& path, double volumepercent) {
  if (!audio_) audio_ = std::make_unique<audio_system>(make_device_audio_output(), find_soundfont());
  audio_->music_level(music_level_hundredths(to_int32(volumepercent)));
  audio_->music_stop();
  const auto midi = read_midi_file(path);
  return midi && audio_->music_start(*midi, 1);
}

void music_player::stop() {
  if (!audio_) return;
  audio_->close();
  audio_.reset();
}

}  // namespace varnel2d
