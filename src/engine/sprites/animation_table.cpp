// The animation and offset path tables, and their data files. An animation file holds the number
// of animations, then for each: source x, source y, frame width, frame height, frame total F, F
// column-row pairs and F texture numbers. An offset file holds the number of paths, then for each:
// its length L and L x-y pairs. A table grows entry by entry as complete entries are read, so a
// file never makes it larger than what the file holds, and a file damaged part way keeps the
// entries read before the damage.
#include "engine/sprites/animation_table.h"

#include <stdexcept>

#include "engine/delimited_text.h"
#include <varnel2d/numbers.h>

namespace varnel2d {
namespace {

constexpr int32_t most_entries = 1 << 20;

template <typename Entries>
auto& entry_at(Entries& entries, int32_t index, const char* what) {
  if (index < 1 || index >= static_cast<int32_t>(entries.size()))
    throw std::out_of_range(std::string(what) + " " + std::to_string(index) + " is outside its table");
  return entries[static_cast<size_t>(index)];
}

// `count` values into `out`.
bool read_numbers(data_values& values, size_t count, std::vector<double>& out) {
  out.clear();
  for (size_t k = 0; k < count; ++k) {
    const std::optional<double> value = values.number();
    if (!value) return false;
    out.push_back(*value);
  }
  return true;
}

// One path: its length and its pairs.
bool read_path(data_values& values, offset_path& path) {
  const std::optional<int32_t> length = values.count(1, most_path_points, "Length total");
  std::vector<double> pairs;
  if (!length || !read_numbers(values, 2 * static_cast<size_t>(*length), pairs)) return false;
  path.pathlength = *length;
  path.xoffsets.assign(static_cast<size_t>(*length) + 1, 0.0f);
  path.yoffsets.assign(static_cast<size_t>(*length) + 1, 0.0f);
  for (size_t k = 1; k <= static_cast<size_t>(*length); ++k) {
    path.xoffsets[k] = static_cast<float>(pairs[2 * k - 2]);
    path.yoffsets[k] = static_cast<float>(pairs[2 * k - 1]);
  }
  return true;
}

}  // namespace

void animation_table::reset_animations() { animations.assign(2, animation_entry{}); }

void animation_table::size_animations(int32_t count) { animations.resize(static_cast<size_t>(count) + 1); }

void animation_table::size_paths(int32_t count) { paths.resize(static_cast<size_t>(count) + 1); }

const animation_entry& animation_table::animation(int32_t index) const {
  return entry_at(animations, index, "animation");
}

animation_entry& animation_table::animation(int32_t index) { return entry_at(animations, index, "animation"); }

offset_path& animation_table::path(int32_t index) { return entry_at(paths, index, "offset path"); }

const offset_path& animation_table::path(int32_t index) const {
  return entry_at(paths, index, "offset path");
}

animation_entry make_animation(int32_t srcx, int32_t srcy, int32_t framewidth, int32_t frameheight,
                               const std::vector<double>& frames, const std::vector<double>& textures) {
  animation_entry entry;
  entry.defined = true;
  entry.srcx = srcx;
  entry.srcy = srcy;
  entry.framewidth = framewidth;
  entry.frameheight = frameheight;
  entry.frametotal = static_cast<int32_t>(textures.size());
  for (size_t k = 1; k <= textures.size(); ++k) {
    entry.framex[k] = to_int32(frames[2 * k - 2]);
    entry.framey[k] = to_int32(frames[2 * k - 1]);
    entry.frametexture[k] = to_int32(textures[k - 1]);
  }
  return entry;
}

std::optional<std::string> read_animation_data(std::string_view text, animation_table& table,
                                               int32_t textureindexoffset) {
  data_values values(text);
  const std::optional<int32_t> count = values.count(0, most_entries, "Animation total");
  if (!count) return values.error();
  if (*count < table.animation_count()) table.size_animations(*count);
  std::vector<double> head, frames, textures;
  for (int32_t index = 1; index <= *count; ++index) {
    if (!read_numbers(values, 4, head)) return values.error();
    const std::optional<int32_t> total = values.count(1, most_frames, "Frame total");
    if (!total || !read_numbers(values, 2 * static_cast<size_t>(*total), frames) ||
        !read_numbers(values, static_cast<size_t>(*total), textures))
      return values.error();
    for (double& texture : textures) texture = to_int32(texture) + static_cast<double>(textureindexoffset);
    if (index > table.animation_count()) table.size_animations(index);
    table.animation(index) =
        make_animation(to_int32(head[0]), to_int32(head[1]), to_int32(head[2]), to_int32(head[3]), frames, textures);
  }
  return std::nullopt;
}

std::optional<std::string> read_offset_data(std::string_view text, animation_table& table) {
  data_values values(text);
  const std::optional<int32_t> count = values.count(0, most_entries, "Path total");
  if (!count) return values.error();
  if (*count < table.path_count()) table.size_paths(*count);
  offset_path path;
  for (int32_t index = 1; index <= *count; ++index) {
    if (!read_path(values, path)) return values.error();
    if (index > table.path_count()) table.size_paths(index);
    table.path(index) = std::move(path);
  }
  return std::nullopt;
}

std::optional<std::string> read_offset_path(std::string_view text, offset_path& path) {
  data_values values(text);
  if (!read_path(values, path)) return values.error();
  return std::nullopt;
}

}  // namespace varnel2d
