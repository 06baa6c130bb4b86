// Previews through the platform's synthesiser at the preview volume.
#include "dialogs/midi_preview_player.h"

#include "platform/audio_levels.h"
#include "platform/audio_system.h"
#include "platform/midi_file.h"
#include "platform/soundfont.h"

namespace brisenfall {

midi_preview_player::midi_preview_player() = default;

midi_preview_player::~midi_preview_player() { stop(); }

void midi_preview_player::play(const std::string& path) {
  if (!audio_) {
    audio_ = std::make_unique<audio_system>(make_device_audio_output(), find_soundfont());
    audio_->music_level(music_level_hundredths(MUSIC_PREVIEW_VOLUME));
  }
  audio_->music_stop();
  if (const auto midi = read_midi_file(path)) audio_->music_start(*midi, 1);
}

// Closing the device between previews leaves the sound card free for the test show.
void midi_preview_player::stop() {
  if (!audio_) return;
  audio_->close();
  audio_.reset();
}

}  // namespace brisenfall
