// Reading and writing map files, and the engine operations that load and save the map with them.
#include "engine/extras/map_file.h"

#include <algorithm>
#include <limits>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/extras/delimited_reader.h"
#include "engine/extras/engine_files.h"
#include "engine/paths.h"
#include <varnel2d/numbers.h>

namespace varnel2d {
namespace {

bool read_int32(delimited_reader& reader, int32_t& value) {
  const std::optional<int64_t> number = reader.number_field();
  if (!number || *number < std::numeric_limits<int32_t>::min() || *number > std::numeric_limits<int32_t>::max())
    return false;
  value = static_cast<int32_t>(*number);
  return true;
}

std::optional<map_file_data> read_map(delimited_reader& reader, bool screen_size_only) {
  map_file_data data;
  if (!read_engine_header(reader, map_file_title) || !read_int32(reader, data.screen_width) ||
      !read_int32(reader, data.screen_height))
    return std::nullopt;
  if (screen_size_only) return data;
  map_geometry& g = data.geometry;
  int32_t texture_count = 0;
  for (int32_t* field : {&g.howmanyindexes, &g.tile_width, &g.tile_height, &g.mapwidth, &g.mapheight,
                         &g.maptextureswidth, &g.maptexturesheight, &g.sourcetilesacross, &g.sourcetilesdown,
                         &texture_count})
    if (!read_int32(reader, *field)) return std::nullopt;
  if (g.howmanyindexes < 1) g.howmanyindexes = 1;
  if (g.howmanyindexes > std::numeric_limits<int16_t>::max()) return std::nullopt;
  if (texture_count < 0 || texture_count > image_slot_count) return std::nullopt;
  g.howmanymaptextures = texture_count;
  if (!geometry_fits(g)) return std::nullopt;
  for (int32_t i = 0; i < texture_count; ++i) {
    std::optional<std::string> name = reader.text_field();
    if (!name) return std::nullopt;
    data.textures.push_back(std::move(*name));
  }
  const size_t entries = static_cast<size_t>(int64_t{g.mapwidth} * g.mapheight * g.howmanyindexes);
  // An entry takes a digit and a delimiter at least: a short file reserves no more than it can hold.
  data.buffers.reserve(std::min(entries, reader.left() / 2 + 1));
  for (size_t i = 0; i < entries; ++i) {
    const std::optional<int64_t> entry = reader.number_field();
    if (!entry || *entry < std::numeric_limits<int16_t>::min() || *entry > std::numeric_limits<int16_t>::max())
      return std::nullopt;
    data.buffers.push_back(static_cast<int16_t>(*entry));
  }
  return data;
}

}  // namespace

std::optional<map_file_data> read_map_file(std::string_view text, bool screen_size_only) {
  delimited_reader reader(text);
  return read_map(reader, screen_size_only);
}

std::optional<map_file_data> read_map_file(std::istream& in, bool screen_size_only) {
  delimited_reader reader(in);
  return read_map(reader, screen_size_only);
}

std::string format_map_file(int32_t screen_width, int32_t screen_height, const map_geometry& g,
                            std::span<const std::string> textures, std::span<const int16_t> buffers) {
  std::string text = engine_header(map_file_title);
  for (int32_t value : {screen_width, screen_height, g.howmanyindexes, g.tile_width, g.tile_height, g.mapwidth,
                        g.mapheight, g.maptextureswidth, g.maptexturesheight, g.sourcetilesacross,
                        g.sourcetilesdown, static_cast<int32_t>(textures.size())}) {
    text += written_number(value);
    text += "\r\n";
  }
  for (const std::string& name : textures) {
    text += written_text(name);
    text += "\r\n";
  }
  const size_t row_length = static_cast<size_t>(g.mapwidth);
  for (size_t start = 0; row_length > 0 && start + row_length <= buffers.size(); start += row_length) {
    for (size_t x = 0; x < row_length; ++x) {
      if (x > 0) text += ',';
      text += std::to_string(buffers[start + x]);
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace varnel2d

using namespace varnel2d;

bool Varnel_2D_Engine::map_initmapfile(const std::string& filenameonly, bool usefullpath, bool loadtextures,
                                       bool usefullpathfortextures, bool returnscreenresonly, uint32_t ColorKey) {
  const std::optional<std::string> text = read_whole_file(data_file(path, filenameonly, usefullpath));
  if (!text) return false;
  std::optional<map_file_data> data = read_map_file(*text, returnscreenresonly);
  if (!data) return false;
  if (returnscreenresonly) {
    retx = static_cast<float>(data->screen_width);
    rety = static_cast<float>(data->screen_height);
    return true;
  }
  if (!private_map_geometry_fits(data->geometry)) return false;
  if (loadtextures) {
    for (size_t i = 0; i < data->textures.size(); ++i) {
      const std::string& name = data->textures[i];
      const std::string file = usefullpathfortextures ? name : lib_filepathgetname(name);
      if (!texture_load(static_cast<double>(i + 1), file, ColorKey, usefullpathfortextures)) return false;
    }
  }
  const map_geometry& g = data->geometry;
  map_init(g.tile_width, g.tile_height, g.mapwidth, g.mapheight, g.maptextureswidth, g.maptexturesheight,
           g.sourcetilesacross, g.sourcetilesdown, g.howmanymaptextures, g.howmanyindexes);
  state_->map.buffers = std::move(data->buffers);
  map_buffertomap(1);
  return true;
}

bool Varnel_2D_Engine::map_savebufferasmapfile(const std::string& fullfilepath, double howmanytexturefiles) {
  const int32_t count = to_int32(howmanytexturefiles);
  if (!state_->map.active || count < 0 || count > image_slot_count) return false;
  std::vector<std::string> names;
  for (int32_t i = 0; i < count; ++i) names.push_back(state_->images.textures[static_cast<size_t>(i)].file);
  return replace_file(fullfilepath, {format_map_file(state_->core.width, state_->core.height, state_->map.geometry, names, state_->map.buffers)});
}
