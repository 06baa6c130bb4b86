// Map files: the bytes written, reading them back, the screen-size-only read and refusals.
#include "engine/extras/map_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "extras_fixture.h"

namespace varnel2d {
namespace {

using testing::extras_engine;

// A 5 x 3 map of 16 x 16 tiles with two buffers, texture 1 loaded from "tiles.png".
struct saved_map : extras_engine {
  saved_map() {
    engine->lib_setpath(folder.data_path());
    load_texture(1);
    engine->map_init(16, 16, 5, 3, 200, 100, 11, 5, 1, 2);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        engine->map_putbuffer(1, x, y, y * 5 + x);
        engine->map_putbuffer(2, x, y, -x);
      }
  }
};

TEST(MapFile, IsWrittenLineByLineWithCrLfAndBlanksAroundSingleNumbers) {
  saved_map e;
  ASSERT_TRUE(e->map_savebufferasmapfile(e.folder.file("level.map"), 1));
  const std::string expected = "Varnel Engine Map Editor\r\nVarnel 2D+ Game Engine\r\nhttp://www.varnel2d.example/\r\n"
                               " 1  0  0 \r\n 640 \r\n 480 \r\n 2 \r\n 16 \r\n 16 \r\n 5 \r\n 3 \r\n 200 \r\n 100 \r\n"
                               " 11 \r\n 5 \r\n 1 \r\n" +
                               e.folder.file("tiles.png") +
                               "\r\n0,1,2,3,4\r\n5,6,7,8,9\r\n10,11,12,13,14\r\n"
                               "0,-1,-2,-3,-4\r\n0,-1,-2,-3,-4\r\n0,-1,-2,-3,-4\r\n";
  EXPECT_EQ(testing::read_file(e.folder.file("level.map")), expected);
}

TEST(MapFile, ReadsBackTheGeometryBuffersAndALiveMapEqualToBufferOne) {
  saved_map e;
  ASSERT_TRUE(e->map_savebufferasmapfile(e.folder.file("level.map"), 1));
  e->map_init(8, 8, 2, 2, 0, 0, 1, 1, 1, 1);
  e->map_put(0, 0, 3, 17, 40);
  e.display->texture_files.clear();
  ASSERT_TRUE(e->map_initmapfile("level.map", false, true, false, false, 0xFFFF00FFu));
  ASSERT_EQ(e.display->texture_files.size(), 1u);
  EXPECT_EQ(e.display->texture_files[0], e.folder.file("tiles.png"));  // the name, found in the data folder
  EXPECT_EQ(e->map_getsourcetilewidth(), 16);
  EXPECT_EQ(e->map_getwidth(), 5);
  EXPECT_EQ(e->map_getheight(), 3);
  EXPECT_EQ(e->map_gethowmanyindexes(), 2);
  EXPECT_EQ(e->map_gethowmanytextures(), 1);
  EXPECT_EQ(e->map_getsourcetexturewidth(), 200);
  EXPECT_EQ(e->map_getsourcetextureheight(), 100);
  EXPECT_EQ(e->map_getsourcetilesacross(), 11);
  EXPECT_EQ(e->map_getsourcetilesdown(), 5);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(e->map_getbuffer(1, x, y), y * 5 + x);
      EXPECT_EQ(e->map_getbuffer(2, x, y), -x);
      EXPECT_EQ(e->map_get(x, y), y * 5 + x);
      EXPECT_EQ(e->map_getalpha(x, y), 255);
      EXPECT_EQ(e->map_getscale(x, y), 1);
      EXPECT_EQ(e->map_getrotation(x, y), 0);
    }
}

// Texture names that a plain field would cut or trim are written quoted and read back whole; the
// names are relative to the working folder so that they can begin with a blank or a quote.
TEST(MapFile, TextureNamesWithCommasBlanksOrQuotesComeBackWhole) {
  saved_map e;
  struct working_in {
    std::filesystem::path before = std::filesystem::current_path();
    explicit working_in(const std::filesystem::path& folder) { std::filesystem::current_path(folder); }
    ~working_in() { std::filesystem::current_path(before); }
  } working(e.folder.path());
  for (const std::string name : {"Games, old/tiles.png", " lead/tiles.png", "trail/tiles.png ", "\"quoted/tiles.png",
                                 "a \"b\", c/tiles.png", "plain \"inner\"/tiles.png"}) {
    std::filesystem::create_directories(std::filesystem::path(name).parent_path());
    testing::write_png(name, testing::filled_image(200, 100, 0xFFFFFFFFu));
    ASSERT_TRUE(e->texture_load(1, name, 0u, true)) << name;
    ASSERT_TRUE(e->map_savebufferasmapfile(e.folder.file("level.map"), 1)) << name;
    e.display->texture_files.clear();
    EXPECT_TRUE(e->map_initmapfile(e.folder.file("level.map"), true, true, true, false, 0)) << name;
    EXPECT_EQ(e.display->texture_files, std::vector<std::string>{name});
  }
}

TEST(MapFile, ScreenSizeOnlyLeavesTheSizeInRetxRetyAndTheMapAlone) {
  saved_map e;
  ASSERT_TRUE(e->map_savebufferasmapfile(e.folder.file("level.map"), 0));
  e->map_init(8, 8, 2, 2, 0, 0, 1, 1, 1, 1);
  ASSERT_TRUE(e->map_initmapfile(e.folder.file("level.map"), true, false, false, true, 0));
  EXPECT_EQ(e->retx, 640.0f);
  EXPECT_EQ(e->rety, 480.0f);
  EXPECT_EQ(e->map_getwidth(), 2);
}

TEST(MapFile, BadFilesAreRefusedAndTheMapStaysAsItWas) {
  saved_map e;
  ASSERT_TRUE(e->map_savebufferasmapfile(e.folder.file("level.map"), 0));
  const std::string good = testing::read_file(e.folder.file("level.map"));
  const auto with = [&](std::string_view from, std::string_view to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const std::vector<std::string> bad = {
      with("Varnel Engine Map Editor", "Varnel Engine Map Editr"),
      with("Varnel 2D+", "Varnel 3D+"),
      with(" 16 \r\n 16 \r\n", " 0 \r\n 16 \r\n"),            // tile width
      with(" 16 \r\n 16 \r\n", " 5000 \r\n 16 \r\n"),         // wider than the largest texture
      with(" 5 \r\n 3 \r\n 200", " -5 \r\n 3 \r\n 200"),       // map width
      with(" 11 \r\n 5 \r\n", " 11 \r\n 0 \r\n"),             // tiles down
      with(" 5 \r\n 3 \r\n 200", " 5000 \r\n 7000 \r\n 200"),  // cells times buffers past 64 Mi
      with(" 2 \r\n 16 \r\n", " 40000 \r\n 16 \r\n"),         // more buffers than 16 bits count
      with("10,11,12,13,14\r\n", "10,11,12,13\r\n"),          // a short row
      with("0,1,2,3,4", "0,1,x,3,4"),
      with("0,1,2,3,4", "0,1,40000,3,4"),                     // beyond 16 bits
  };
  e->map_init(8, 8, 2, 2, 0, 0, 1, 1, 1, 1);
  e->map_put(1, 1, 3, 255, 0);
  for (const std::string& text : bad) {
    testing::write_file(e.folder.file("bad.map"), text);
    EXPECT_FALSE(e->map_initmapfile("bad.map", false, false, false, false, 0));
    EXPECT_EQ(e->map_getwidth(), 2);
    EXPECT_EQ(e->map_get(1, 1), 3);
  }
  EXPECT_FALSE(e->map_initmapfile("missing.map", false, false, false, false, 0));
}

TEST(MapFile, AMissingTextureIsRefused) {
  saved_map e;
  ASSERT_TRUE(e->map_savebufferasmapfile(e.folder.file("level.map"), 2));  // slot 2 holds nothing
  EXPECT_FALSE(e->map_initmapfile("level.map", false, true, false, false, 0));
  EXPECT_TRUE(e->map_initmapfile("level.map", false, false, false, false, 0));
}

TEST(MapFile, ReadsFromAStreamAndRowsAcrossLineBreaks) {
  std::istringstream in(
      "Varnel Engine Map Editor\r\nVarnel 2D+ Game Engine\r\nhttp://www.varnel2d.example/\r\n 1 0 0\r\n800\r\n600\n"
      " 1 \r\n 8 \r\n 8 \r\n 2 \r\n 2 \r\n 0 \r\n 0 \r\n 1 \r\n 1 \r\n 0 \r\n1,\r\n2\r\n3,4\r\n");
  const std::optional<map_file_data> data = read_map_file(in);
  ASSERT_TRUE(data);
  EXPECT_EQ(data->screen_width, 800);
  EXPECT_EQ(data->buffers, (std::vector<int16_t>{1, 2, 3, 4}));
}

TEST(MapFile, SavingWithoutAMapIsRefused) {
  extras_engine e;
  EXPECT_FALSE(e->map_savebufferasmapfile(e.folder.file("level.map"), 0));
  EXPECT_FALSE(std::filesystem::exists(e.folder.file("level.map")));
}

}  // namespace
}  // namespace varnel2d
