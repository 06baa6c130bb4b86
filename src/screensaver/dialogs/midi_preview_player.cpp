// Previews through the engine's MIDI player at the preview volume.
#include "dialogs/midi_preview_player.h"

#include <varnel2d/music_player.h>

namespace brisenfall {

midi_preview_player::midi_preview_player() = default;

midi_preview_player::~midi_preview_player() = default;

void midi_preview_player::play(const std::string& path) {
  if (!player_) player_ = std::make_unique<varnel2d::music_player>();
  player_->play(path, MUSIC_PREVIEW_VOLUME);
}

// Closing the device between previews leaves the sound card free for the test show.
void midi_preview_player::stop() { player_.reset(); }

}  // namespace brisenfall
