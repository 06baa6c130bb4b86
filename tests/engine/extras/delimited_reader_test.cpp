// The shared reader of the engine's delimited files (blanks, quotes, commas and line breaks), and
// the readers of map files, pack indexes and high-score files given each prefix of a valid file: it
// reads it or refuses it, never a crash or a hang, and never a prefix that lacks whole fields
// (compressed containers' prefixes are tried in the compression test).
#include "engine/extras/delimited_reader.h"

#include <gtest/gtest.h>

#include "engine/extras/high_scores.h"
#include "engine/extras/map_file.h"
#include "engine/extras/pack.h"

namespace varnel2d {
namespace {

// Reads fields in the order `kinds` gives (t a text field, n a number), joined by "|"; "-" for none.
std::string fields(std::string_view text, std::string_view kinds) {
  delimited_reader reader(text);
  std::string out;
  for (const char kind : kinds) {
    if (!out.empty()) out += "|";
    if (kind == 't')
      out += reader.text_field().value_or("-");
    else if (const std::optional<int64_t> n = reader.number_field())
      out += std::to_string(*n);
    else
      out += "-";
  }
  return out;
}

TEST(DelimitedReader, FieldsEndAtCommasBlanksAndLineBreaksAndQuotesKeepCommas) {
  // Text fields drop the blanks around them; an empty line is an empty field.
  EXPECT_EQ(fields("  Varnel 2D+ Game Engine  \r\nfirst , second\nlast", "ttttt"),
            "Varnel 2D+ Game Engine|first|second|last|-");
  EXPECT_EQ(fields("a\r\n\r\nb", "ttt"), "a||b");
  // What follows a closing quote is dropped; doubled quotes inside stand for one; an unclosed quote fails.
  EXPECT_EQ(fields("\"Smith, J\",950\r\n\"Ann\"x,12\r\n\"\"\"Q\"\"\"\r\n\"open", "tntntt"),
            "Smith, J|950|Ann|12|\"Q\"|-");
  // Numbers end at blanks, rows run across line breaks, a number leaves the next line whole.
  EXPECT_EQ(fields(" 1  0  3 \r\n-5 \r\n1,2\r\n3,\r\n4\r\n", "nnnnnnnnn"), "1|0|3|-5|1|2|3|4|-");
  EXPECT_EQ(fields(" 3 \r\nname.png\r\n", "nt"), "3|name.png");
  for (const char* text : {"12abc", "1.5", "", ",", "+-3", "x"}) EXPECT_EQ(fields(text, "n"), "-") << text;
  EXPECT_EQ(fields("+7", "n"), "7");
  delimited_reader at_end("1,2\r\n");
  EXPECT_TRUE(at_end.number_field() && at_end.number_field() && at_end.at_end());
}

// Where the last field of a text starts: prefixes shorter than this lack at least one field.
size_t last_field_start(const std::string& text) {
  const size_t cut = text.find_last_of(",\n", text.find_last_not_of("\r\n"));
  return cut == std::string::npos ? 0 : cut + 1;
}

TEST(FilePrefixes, MapFilesPackIndexesAndHighScoreFiles) {
  // 8 x 8 tiles, a 3 x 2 map, one texture of 2 x 2 tiles, two buffers
  const map_geometry g{8, 8, 3, 2, 0, 0, 2, 2, 1, 2};
  const std::vector<int16_t> buffers = {1, 2, 3, 4, 5, 6, -1, -2, -3, -4, -5, 126};
  const std::vector<std::string> textures = {"a.png"};
  const std::string map = format_map_file(640, 480, g, textures, buffers);
  for (size_t length = 0; length < last_field_start(map); ++length)
    EXPECT_FALSE(read_map_file(std::string_view(map).substr(0, length))) << length;
  const std::optional<map_file_data> whole = read_map_file(map);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->buffers, buffers);
  EXPECT_EQ(whole->textures, textures);
  const std::string index =
      format_pack_index(std::vector<pack_entry>{{"one.bin", 0}, {"two.bin", 59999}, {"three.bin", 130000}});
  for (size_t length = 0; length < last_field_start(index); ++length)
    EXPECT_FALSE(read_pack_index(std::string_view(index).substr(0, length))) << length;
  const std::optional<std::vector<pack_entry>> entries = read_pack_index(index);
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 3u);
  EXPECT_EQ(std::pair((*entries)[2].name, (*entries)[2].size), std::pair(std::string("three.bin"), int64_t{130000}));
  high_score_table table;
  for (int place = 1; place <= 10; ++place)
    table.places[static_cast<size_t>(place)] = {"N" + std::to_string(place), place};
  const std::string text = format_high_scores(table);
  for (size_t length = 0; length < last_field_start(text); ++length) {
    high_score_table read;
    EXPECT_TRUE(read_high_scores(std::string_view(text).substr(0, length), read)) << length;
  }
  high_score_table read;
  EXPECT_FALSE(read_high_scores(text, read));
  EXPECT_EQ(read.places[10].name, "N10");
  EXPECT_EQ(read.places[3].score, 3);
}

}  // namespace
}  // namespace varnel2d
