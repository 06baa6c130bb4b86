// Private state of the texture family: 200 texture slots, 200 full-screen surface slots and the
// surface laid under every frame.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include <varnel2d/display_device.h>

namespace varnel2d {

inline constexpr int32_t image_slot_count = 200;

struct image_slot {
  image_handle image = 0;
  bool loaded = false;
  std::string file;  // full path, used to reload the slot after a device loss
};

struct texture_table {
  std::array<image_slot, image_slot_count> textures;
  std::array<image_slot, image_slot_count> surfaces;
  int16_t surface_to_draw = 0;
};

// The slot for an engine index 1..200; nullptr outside that range.
image_slot* slot_at(std::array<image_slot, image_slot_count>& slots, double index);

}  // namespace varnel2d
