// Map files: the bytes written, reading them back, the screen-size-only read and refusals.
#include "engine/extras/map_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "support/engine_fixture.h"

namespace varnel2d::testing {
namespace {

// A 5 x 3 map of 16 x 16 tiles with two buffers, texture 1 loaded from "texture1.png".
struct saved_map : started_recorded {
  std::string file = folder.file("level.map");
  saved_map() {
    load_texture(1, 200, 100);
    engine->map_init(16, 16, 5, 3, 200, 100, 11, 5, 1, 2);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        engine->map_putbuffer(1, x, y, y * 5 + x);
        engine->map_putbuffer(2, x, y, -x);
      }
  }
};

TEST(MapFile, IsWrittenWithCrLfAndBlanksAroundSingleNumbersReadsBackAndCanGiveTheScreenSizeOnly) {
  saved_map e;
  ASSERT_TRUE(e->map_savebufferasmapfile(e.file, 1));
  EXPECT_EQ(read_file(e.file),
            "Varnel Engine Map Editor\r\nVarnel 2D+ Game Engine\r\nhttp://www.varnel2d.example/\r\n"
            " 1  0  0 \r\n 640 \r\n 480 \r\n 2 \r\n 16 \r\n 16 \r\n 5 \r\n 3 \r\n 200 \r\n 100 \r\n"
            " 11 \r\n 5 \r\n 1 \r\n" +
                e.folder.file("texture1.png") +
                "\r\n0,1,2,3,4\r\n5,6,7,8,9\r\n10,11,12,13,14\r\n"
                "0,-1,-2,-3,-4\r\n0,-1,-2,-3,-4\r\n0,-1,-2,-3,-4\r\n");
  e->map_init(8, 8, 2, 2, 0, 0, 1, 1, 1, 1);
  e->map_put(0, 0, 3, 17, 40);
  e.display->texture_files.clear();
  ASSERT_TRUE(e->map_initmapfile("level.map", false, true, false, false, 0xFFFF00FFu));
  // The texture by its name, found in the data folder; the live map equal to buffer one.
  EXPECT_EQ(e.display->texture_files, std::vector{e.folder.file("texture1.png")});
  EXPECT_EQ(std::tuple(e->map_getsourcetilewidth(), e->map_getwidth(), e->map_getheight(), e->map_gethowmanyindexes(),
                       e->map_gethowmanytextures(), e->map_getsourcetexturewidth(), e->map_getsourcetextureheight(),
                       e->map_getsourcetilesacross(), e->map_getsourcetilesdown()),
            std::tuple(16, 5, 3, 2, 1, 200, 100, 11, 5));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(std::tuple(e->map_getbuffer(1, x, y), e->map_getbuffer(2, x, y), e->map_get(x, y),
                           e->map_getalpha(x, y), e->map_getscale(x, y), e->map_getrotation(x, y)),
                std::tuple(y * 5 + x, -x, y * 5 + x, 255, 1, 0))
          << x << "," << y;
  // The screen-size-only read leaves the size in retx, rety and the map alone; a missing texture is
  // refused unless textures are not loaded; nothing is saved without a map.
  ASSERT_TRUE(e->map_savebufferasmapfile(e.file, 2));  // slot 2 holds nothing
  e->map_init(8, 8, 2, 2, 0, 0, 1, 1, 1, 1);
  ASSERT_TRUE(e->map_initmapfile(e.file, true, false, false, true, 0));
  EXPECT_EQ(std::pair(e->retx, e->rety), std::pair(640.0f, 480.0f));
  EXPECT_EQ(e->map_getwidth(), 2);
  EXPECT_FALSE(e->map_initmapfile("level.map", false, true, false, false, 0));
  EXPECT_TRUE(e->map_initmapfile("level.map", false, false, false, false, 0));
  started_recorded bare;
  EXPECT_FALSE(bare->map_savebufferasmapfile(bare.folder.file("level.map"), 0));
  EXPECT_FALSE(std::filesystem::exists(bare.folder.file("level.map")));
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
    write_png(name, filled_image(200, 100, 0xFFFFFFFFu));
    ASSERT_TRUE(e->texture_load(1, name, 0u, true)) << name;
    ASSERT_TRUE(e->map_savebufferasmapfile(e.file, 1)) << name;
    e.display->texture_files.clear();
    EXPECT_TRUE(e->map_initmapfile(e.file, true, true, true, false, 0)) << name;
    EXPECT_EQ(e.display->texture_files, std::vector<std::string>{name});
  }
}

TEST(MapFile, BadFilesAreRefusedAndTheMapStaysAsItWas) {
  saved_map e;
  ASSERT_TRUE(e->map_savebufferasmapfile(e.file, 0));
  const std::string good = read_file(e.file);
  const std::pair<std::string_view, std::string_view> changes[] = {
      {"Varnel Engine Map Editor", "Varnel Engine Map Editr"},
      {"Varnel 2D+", "Varnel 3D+"},
      {" 16 \r\n 16 \r\n", " 0 \r\n 16 \r\n"},             // tile width
      {" 16 \r\n 16 \r\n", " 5000 \r\n 16 \r\n"},          // wider than the largest texture
      {" 5 \r\n 3 \r\n 200", " -5 \r\n 3 \r\n 200"},       // map width
      {" 11 \r\n 5 \r\n", " 11 \r\n 0 \r\n"},              // tiles down
      {" 5 \r\n 3 \r\n 200", " 5000 \r\n 7000 \r\n 200"},  // cells times buffers past 64 Mi
      {" 2 \r\n 16 \r\n", " 40000 \r\n 16 \r\n"},          // more buffers than 16 bits count
      {"10,11,12,13,14\r\n", "10,11,12,13\r\n"},           // a short row
      {"0,1,2,3,4", "0,1,x,3,4"},
      {"0,1,2,3,4", "0,1,40000,3,4"},  // beyond 16 bits
  };
  e->map_init(8, 8, 2, 2, 0, 0, 1, 1, 1, 1);
  e->map_put(1, 1, 3, 255, 0);
  for (const auto& [from, to] : changes) {
    std::string text = good;
    write_file(e.folder.file("bad.map"), text.replace(text.find(from), from.size(), to));
    EXPECT_FALSE(e->map_initmapfile("bad.map", false, false, false, false, 0)) << to;
    EXPECT_EQ(e->map_getwidth(), 2);
    EXPECT_EQ(e->map_get(1, 1), 3);
  }
  EXPECT_FALSE(e->map_initmapfile("missing.map", false, false, false, false, 0));
}

}  // namespace
}  // namespace varnel2d::testing
