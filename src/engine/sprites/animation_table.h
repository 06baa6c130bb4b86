// Private state of the frame animation family: the animation table (which texture and frame cell
// each frame of an animation shows) and the offset path table (lists of position steps walked by
// the path-offset behaviour), with the readers of their data files. Both tables are 1-based.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel2d {

inline constexpr int32_t most_frames = 64;
inline constexpr int32_t most_path_points = 800;

struct animation_entry {
  bool defined = false;
  int32_t srcx = 0, srcy = 0;  // frame cell (0, 0) in the texture
  int32_t framewidth = 0, frameheight = 0;
  int32_t frametotal = 0;  // 1..64
  // Frames 1..frametotal: texture, cell column and cell row. Element 0 is unused.
  std::array<int32_t, most_frames + 1> frametexture{}, framex{}, framey{};
};

struct offset_path {
  int32_t pathlength = 0;               // 1..800
  std::vector<float> xoffsets, yoffsets;  // points 1..pathlength; element 0 is unused
};

struct animation_table {
  std::vector<animation_entry> animations = std::vector<animation_entry>(1);  // element 0 unused; count = size - 1
  std::vector<offset_path> paths = std::vector<offset_path>(1);

  int32_t animation_count() const { return static_cast<int32_t>(animations.size()) - 1; }
  int32_t path_count() const { return static_cast<int32_t>(paths.size()) - 1; }
  // One empty animation entry.
  void reset_animations();
  // The table holds `count` entries, keeping the first ones.
  void size_animations(int32_t count);
  void size_paths(int32_t count);
  // Entry `index`; throws std::out_of_range outside the table.
  const animation_entry& animation(int32_t index) const;
  animation_entry& animation(int32_t index);
  offset_path& path(int32_t index);
  const offset_path& path(int32_t index) const;
};

// An animation entry from its parts; every number rounded to a whole one. `frames` holds the
// column-row pairs, `textures` the texture of each frame; their counts are checked by the caller.
animation_entry make_animation(int32_t srcx, int32_t srcy, int32_t framewidth, int32_t frameheight,
                               const std::vector<double>& frames, const std::vector<double>& textures);

// Readers of the two data files and of a single path file, from the file's text. Each returns
// nothing on success, or the detail line of the first error; what was read before it stays.
std::optional<std::string> read_animation_data(std::string_view text, animation_table& table,
                                               int32_t textureindexoffset);
std::optional<std::string> read_offset_data(std::string_view text, animation_table& table);
std::optional<std::string> read_offset_path(std::string_view text, offset_path& path);

}  // namespace varnel2d
