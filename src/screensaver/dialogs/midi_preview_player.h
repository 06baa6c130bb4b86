// The music dialog's preview player: the engine's MIDI synthesiser on the sound card, opened for a
// preview and closed when the preview stops.
#pragma once

#include <memory>
#include <string>

#include "dialogs/music_preview_player.h"

namespace varnel2d {
class music_player;
}

namespace brisenfall {

class midi_preview_player final : public music_preview_player {
 public:
  midi_preview_player();
  ~midi_preview_player() override;

  void play(const std::string& path) override;
  void stop() override;

 private:
  std::unique_ptr<varnel2d::music_player> player_;
};

}  // namespace brisenfall
