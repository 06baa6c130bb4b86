// The audio family's private state: the audio system (output, synthesiser, mixer), the 64 music
// slots holding checked MIDI data, the 64 sound slots holding mixer voices, and the piece last played.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "engine/backends/audio_system.h"

namespace varnel2d {

inline constexpr size_t audio_slot_count = 64;

struct audio_state {
  std::unique_ptr<audio_system> system;
  std::array<std::optional<std::vector<uint8_t>>, audio_slot_count> music;
  std::array<int, audio_slot_count> sounds{};  // mixer voice ids; 0 for an empty slot
  int32_t current_music = 0;                   // engine index last played, 0 for none
};

// Plays in all for a piece: once, or once and 1000 repeats with the loop flag.
inline int music_plays(bool loopflag) { return loopflag ? 1001 : 1; }

}  // namespace varnel2d
