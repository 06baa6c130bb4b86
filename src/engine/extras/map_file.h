// The map file: a text file of the engine's header lines, the screen size, the map geometry, the
// tile texture names and every buffer row by row. Read from memory or a stream, written as bytes.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/extras/tile_map.h"

namespace varnel2d {

inline constexpr std::string_view map_file_title = "Varnel Engine Map Editor";

struct map_file_data {
  int32_t screen_width = 0, screen_height = 0;
  map_geometry geometry;  // howmanymaptextures is the number of texture names
  std::vector<std::string> textures;
  std::vector<int16_t> buffers;  // buffer by buffer, each row by row
};

// The whole file. `screen_size_only` stops after the screen size (geometry, textures and buffers
// stay empty). Nothing when the header differs, a number is missing or out of range, the geometry
// does not fit a map, or the buffers end early.
std::optional<map_file_data> read_map_file(std::string_view text, bool screen_size_only = false);
std::optional<map_file_data> read_map_file(std::istream& in, bool screen_size_only = false);

// The file's bytes: CR LF line ends, single numbers as " n ", texture names quoted where a plain
// field would not give them back, rows as comma-separated entries.
std::string format_map_file(int32_t screen_width, int32_t screen_height, const map_geometry& geometry,
                            std::span<const std::string> textures, std::span<const int16_t> buffers);

}  // namespace varnel2d
