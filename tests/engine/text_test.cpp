// System-font text with its shadow and alignment, and bitmap-font text from a letter grid.
#include <gtest/gtest.h>

#include <varnel2d/testing/engine_on_doubles.h>
#include "support/test_files.h"

namespace varnel2d {
namespace {

struct text_engine : testing::recorded_engine {
  text_engine() { engine->init(0, 640, 480, 32); }
};

TEST(Text, ZeroShadowColourIsOpaqueBlackAndOffsetsMoveOnlyTheCorner) {
  text_engine e;
  e->text(10.4, 20, 200, 30, "Hello", 0xFFFFFFFFu, "Arial", 12, true, false, 1, 2, 2, 0);
  ASSERT_EQ(e.display->texts.size(), 2u);
  const recorded_text& shadow = e.display->texts[0];
  EXPECT_EQ(shadow.colour, 0xFF000000u);
  EXPECT_EQ(shadow.left, 12);
  EXPECT_EQ(shadow.top, 22);
  EXPECT_EQ(shadow.right, 210);
  EXPECT_EQ(shadow.bottom, 50);
  const recorded_text& main = e.display->texts[1];
  EXPECT_EQ(main.colour, 0xFFFFFFFFu);
  EXPECT_EQ(main.left, 10);
  EXPECT_EQ(main.text, "Hello");
  EXPECT_EQ(main.face, "Arial");
  EXPECT_EQ(main.points, 12);
  EXPECT_TRUE(main.bold);
  EXPECT_EQ(main.align, text_align::right);
}

TEST(Text, NoOffsetsNoShadowAndUnknownStylesAlignLeft) {
  text_engine e;
  e->text(0, 0, 100, 20, "x", 0xFF00FF00u, "Arial", 10, false, true, 7, 0, 0, 0xFF123456u);
  e->text(0, 0, 100, 20, "y", 0xFF00FF00u, "Arial", 10, false, true, 2, 0, 0, 0);
  ASSERT_EQ(e.display->texts.size(), 2u);
  EXPECT_EQ(e.display->texts[0].align, text_align::left_top);
  EXPECT_EQ(e.display->texts[1].align, text_align::centre);
}

TEST(TextBitmap, LettersComeFromTheGridWithOnePixelGaps) {
  text_engine e;
  testing::temp_folder folder;
  testing::write_png(folder.file("font.png"), testing::filled_image(160, 80, 0xFFFFFFFF));
  ASSERT_TRUE(e->texture_load(4, folder.file("font.png"), 0u, true));
  e.display->quads.clear();
  e->text_bitmap("A B", 4, 0, 0, 8, 10, 16, 100, 50, 200, 0, 3, 3);
  ASSERT_EQ(e.display->quads.size(), 3u);  // no shadow
  const sprite_quad& a = e.display->quads[0];
  EXPECT_EQ(a.left, 9);   // column 1
  EXPECT_EQ(a.top, 22);   // row 2
  EXPECT_EQ(a.right, 17);
  EXPECT_EQ(a.bottom, 32);
  EXPECT_EQ(a.x, 100.0f);
  EXPECT_EQ(a.colour, 0xC8FFFFFFu);
  const sprite_quad& blank = e.display->quads[1];
  EXPECT_EQ(blank.left, 0);
  EXPECT_EQ(blank.top, 0);
  EXPECT_EQ(blank.x, 108.0f);
  EXPECT_EQ(e.display->quads[2].x, 116.0f);
}

TEST(TextBitmap, ShadowFirstAndControlCharactersSkipped) {
  text_engine e;
  testing::temp_folder folder;
  testing::write_png(folder.file("font.png"), testing::filled_image(160, 80, 0xFFFFFFFF));
  ASSERT_TRUE(e->texture_load(4, folder.file("font.png"), 0u, true));
  e.display->quads.clear();
  e->text_bitmap("\tA", 4, 0, 0, 8, 10, 16, 100, 50, 255, 100, 3, 4);
  ASSERT_EQ(e.display->quads.size(), 2u);
  EXPECT_EQ(e.display->quads[0].colour, 0x64000000u);
  EXPECT_EQ(e.display->quads[0].x, 111.0f);  // second position, shadow offset
  EXPECT_EQ(e.display->quads[0].y, 54.0f);
  EXPECT_EQ(e.display->quads[1].x, 108.0f);
}

// UTF-8 text: a character up to code 255 comes from its cell and advances once; any other
// character, and a byte that is not UTF-8, draws as "?".
TEST(TextBitmap, Utf8CharactersUpTo255ComeFromTheirCellsOthersAsQuestionMarks) {
  text_engine e;
  testing::temp_folder folder;
  testing::write_png(folder.file("font.png"), testing::filled_image(160, 80, 0xFFFFFFFF));
  ASSERT_TRUE(e->texture_load(4, folder.file("font.png"), 0u, true));
  e.display->quads.clear();
  // e acute (code 233), the euro sign (U+20AC), a byte 0xFF and a sequence cut short, then Z
  const std::string text = std::string("\xc3\xa9") + "\xe2\x82\xac" + "\xff" + "\xc3" + "Z";
  e->text_bitmap(text, 4, 0, 0, 8, 10, 16, 100, 50, 255, 0, 0, 0);
  // e acute: cell 201, column 9, row 12; "?" (63): cell 31, column 15, row 1; Z: column 10, row 3
  const std::array<int32_t, 3> expected[] = {
      {81, 132, 100}, {135, 11, 108}, {135, 11, 116}, {135, 11, 124}, {90, 33, 132}};
  ASSERT_EQ(e.display->quads.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const sprite_quad& q = e.display->quads[i];
    EXPECT_EQ((std::array<int32_t, 3>{q.left, q.top, static_cast<int32_t>(q.x)}), expected[i]) << i;
  }
}

TEST(Text, HeadlessDrawsGlyphsInsideTheRectangleOnly) {
  testing::headless_engine e;
  ASSERT_TRUE(e->init(0, 200, 100, 32));
  e->scene_begin();
  e->text(20, 20, 60, 30, "WWWWWWWWWWWW", 0xFFFFFFFFu, "Arial", 14, true, false, 0, 0, 0, 0);
  int lit_inside = 0, lit_outside = 0;
  for (int32_t y = 0; y < 100; ++y) {
    for (int32_t x = 0; x < 200; ++x) {
      const bool lit = (e.display->pixel(x, y) & 0xFF) > 100;
      const bool inside = x >= 20 && x < 80 && y >= 20 && y < 50;
      (inside ? lit_inside : lit_outside) += lit ? 1 : 0;
    }
  }
  EXPECT_GT(lit_inside, 50);
  EXPECT_EQ(lit_outside, 0);
}

// The classic faces are drawn in the face the dialogs use for them.
TEST(Text, HeadlessDrawsTheClassicFacesInLiberationSans) {
  const auto drawn = [](const char* face) {
    testing::headless_engine e;
    e->init(0, 200, 40, 32);
    e->scene_begin();
    e->text(0, 0, 200, 40, "Quick brown fox", 0xFFFFFFFFu, face, 12, false, false, 0, 0, 0, 0);
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < 40; ++y)
      for (int32_t x = 0; x < 200; ++x) pixels.push_back(e.display->pixel(x, y));
    return pixels;
  };
  const std::vector<uint32_t> liberation_sans = drawn("Liberation Sans");
  for (const char* face : {"MS Sans Serif", "ms sans serif", "Arial"}) EXPECT_EQ(drawn(face), liberation_sans) << face;
  EXPECT_NE(drawn("DejaVu Serif"), liberation_sans);
}

// Rendered lines are kept between draws and frames: each draw must still get its own colour, and a
// changed line its own glyphs.
TEST(Text, HeadlessKeptLinesTakeEachDrawsColourAndFollowChanges) {
  testing::headless_engine e;
  ASSERT_TRUE(e->init(0, 200, 100, 32));
  const auto lit_pixels = [&](int32_t top, uint32_t mask) {
    int lit = 0;
    for (int32_t y = top; y < top + 40; ++y)
      for (int32_t x = 0; x < 200; ++x) lit += (e.display->pixel(x, y) & mask) > 0 ? 1 : 0;
    return lit;
  };
  e->scene_begin();
  e->text(0, 0, 200, 40, "WWW", 0xFFFF0000u, "Arial", 20, true, false, 0, 0, 0, 0);
  e->text(0, 50, 200, 90, "WWW", 0xFF00FF00u, "Arial", 20, true, false, 0, 0, 0, 0);
  e->scene_end();
  EXPECT_GT(lit_pixels(0, 0xFF0000u), 100);
  EXPECT_EQ(lit_pixels(0, 0x00FF00u), 0);
  EXPECT_GT(lit_pixels(50, 0x00FF00u), 100);
  EXPECT_EQ(lit_pixels(50, 0xFF0000u), 0);
  const int wide = lit_pixels(0, 0xFF0000u);
  e->scene_begin();
  e->text(0, 0, 200, 40, "i", 0xFFFF0000u, "Arial", 20, true, false, 0, 0, 0, 0);
  e->scene_end();
  EXPECT_LT(lit_pixels(0, 0xFF0000u) * 5, wide);
}

}  // namespace
}  // namespace varnel2d
