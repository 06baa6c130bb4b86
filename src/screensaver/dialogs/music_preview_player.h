// The seam to the player that lets the music dialog preview a file.
#pragma once

#include <string>

namespace brisenfall {

// The preview always plays at this volume (of 100), whatever the show's volume and mute say.
inline constexpr int MUSIC_PREVIEW_VOLUME = 50;

class music_preview_player {
 public:
  virtual ~music_preview_player() = default;
  // Plays a MIDI file (.mid, .rmi) once from its beginning, ending the previous preview; a file that
  // cannot be played stays silent.
  virtual void play(const std::string& path) = 0;
  // Ends any preview.
  virtual void stop() = 0;
};

}  // namespace brisenfall
