// Every reader of the engine's file formats, given each prefix of a valid file, reads it or refuses
// it: never a crash or a hang, and never a prefix that lacks whole fields.
#include <gtest/gtest.h>

#include <sstream>

#include "engine/extras/compression.h"
#include "engine/extras/high_scores.h"
#include "engine/extras/map_file.h"
#include "engine/extras/pack.h"

namespace varnel2d {
namespace {

// Where the last field of a text starts: prefixes shorter than this lack at least one field.
size_t last_field_start(const std::string& text) {
  const size_t body_end = text.find_last_not_of("\r\n");
  const size_t cut = text.find_last_of(",\n", body_end);
  return cut == std::string::npos ? 0 : cut + 1;
}

TEST(FilePrefixes, MapFiles) {
  map_geometry g;
  g.tile_width = g.tile_height = 8;
  g.mapwidth = 3;
  g.mapheight = 2;
  g.sourcetilesacross = g.sourcetilesdown = 2;
  g.howmanyindexes = 2;
  const std::vector<std::string> textures = {"a.png"};
  g.howmanymaptextures = 1;
  const std::vector<int16_t> buffers = {1, 2, 3, 4, 5, 6, -1, -2, -3, -4, -5, 126};
  const std::string text = format_map_file(640, 480, g, textures, buffers);
  for (size_t length = 0; length < last_field_start(text); ++length)
    EXPECT_FALSE(read_map_file(std::string_view(text).substr(0, length))) << length;
  const std::optional<map_file_data> whole = read_map_file(text);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->buffers, buffers);
  EXPECT_EQ(whole->textures, textures);
}

TEST(FilePrefixes, PackIndexes) {
  const std::vector<pack_entry> entries = {{"one.bin", 0}, {"two.bin", 59999}, {"three.bin", 130000}};
  const std::string text = format_pack_index(entries);
  for (size_t length = 0; length < last_field_start(text); ++length)
    EXPECT_FALSE(read_pack_index(std::string_view(text).substr(0, length))) << length;
  const std::optional<std::vector<pack_entry>> whole = read_pack_index(text);
  ASSERT_TRUE(whole);
  ASSERT_EQ(whole->size(), 3u);
  EXPECT_EQ((*whole)[2].name, "three.bin");
  EXPECT_EQ((*whole)[2].size, 130000);
  std::istringstream stream(text);
  EXPECT_EQ(read_pack_index(stream)->size(), 3u);
}

TEST(FilePrefixes, HighScoreFiles) {
  high_score_table table;
  for (int place = 1; place <= 10; ++place) table.places[static_cast<size_t>(place)] = {"N" + std::to_string(place), place};
  const std::string text = format_high_scores(table);
  for (size_t length = 0; length < last_field_start(text); ++length) {
    high_score_table read;
    EXPECT_TRUE(read_high_scores(std::string_view(text).substr(0, length), read)) << length;
  }
  high_score_table read;
  EXPECT_FALSE(read_high_scores(text, read));
  EXPECT_EQ(read.places[10].name, "N10");
  std::istringstream stream(text);
  high_score_table streamed;
  EXPECT_FALSE(read_high_scores(stream, streamed));
  EXPECT_EQ(streamed.places[3].score, 3);
}

TEST(FilePrefixes, CompressedContainers) {
  std::string bytes;
  for (int i = 0; i < 200; ++i) bytes += "flake " + std::to_string(i * 37 % 11);
  const std::optional<compressed_parts> parts = compress_container(bytes);
  ASSERT_TRUE(parts);
  const std::string container = parts->header + parts->stream;
  for (size_t length = 0; length < container.size(); ++length)
    EXPECT_FALSE(uncompress_container(std::string_view(container).substr(0, length))) << length;
  EXPECT_EQ(uncompress_container(container), bytes);
  std::istringstream stream(container);
  EXPECT_EQ(uncompress_container(stream), bytes);
}

}  // namespace
}  // namespace varnel2d
