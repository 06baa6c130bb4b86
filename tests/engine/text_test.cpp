// System-font text with its shadow and alignment, and bitmap-font text from a letter grid.
#include <gtest/gtest.h>

#include <tuple>

#include "support/engine_fixture.h"

namespace varnel2d::testing {
namespace {

TEST(Text, ZeroShadowColourIsOpaqueBlackOffsetsMoveOnlyTheCornerAndUnknownStylesAlignLeft) {
  started_recorded e;
  e->text(10.4, 20, 200, 30, "Hello", 0xFFFFFFFFu, "Arial", 12, true, false, 1, 2, 2, 0);
  e->text(0, 0, 100, 20, "x", 0xFF00FF00u, "Arial", 10, false, true, 7, 0, 0, 0xFF123456u);  // no offsets: no shadow
  e->text(0, 0, 100, 20, "y", 0xFF00FF00u, "Arial", 10, false, true, 2, 0, 0, 0);
  const std::vector<recorded_text>& t = e.display->texts;
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(std::tuple(t[0].colour, t[0].left, t[0].top, t[0].right, t[0].bottom),
            std::tuple(0xFF000000u, 12, 22, 210, 50));
  EXPECT_EQ(std::tuple(t[1].colour, t[1].left, t[1].text, t[1].face, t[1].points, t[1].bold, t[1].align),
            std::tuple(0xFFFFFFFFu, 10, "Hello", "Arial", 12, true, text_align::right));
  EXPECT_EQ(t[2].align, text_align::left_top);
  EXPECT_EQ(t[3].align, text_align::centre);
}

// Letters come from a 16-column grid of 8 x 10 cells with one-pixel gaps, the shadow first and
// control characters skipped. UTF-8 text: a character up to code 255 comes from its cell and
// advances once; any other character, and a byte that is not UTF-8, draws as "?".
TEST(TextBitmap, LettersComeFromTheGridShadowFirstAndOtherCharactersAsQuestionMarks) {
  started_recorded e;
  e.load_texture(4, 160, 80);
  const auto letters = [&](const std::string& text, double alpha, double shadow_alpha, double sx, double sy) {
    e.display->quads.clear();
    e->text_bitmap(text, 4, 0, 0, 8, 10, 16, 100, 50, alpha, shadow_alpha, sx, sy);
    std::vector<std::array<int64_t, 5>> drawn;  // left, top, x, y, colour
    for (const sprite_quad& q : e.display->quads) drawn.push_back({q.left, q.top, int64_t(q.x), int64_t(q.y), q.colour});
    return drawn;
  };
  EXPECT_EQ(letters("A B", 200, 0, 3, 3), (std::vector<std::array<int64_t, 5>>{  // A, B: columns 1, 2 of row 2
                                             {9, 22, 100, 50, 0xC8FFFFFF}, {0, 0, 108, 50, 0xC8FFFFFF},
                                             {18, 22, 116, 50, 0xC8FFFFFF}}));
  EXPECT_EQ(e.display->quads[0].right, 17);
  EXPECT_EQ(e.display->quads[0].bottom, 32);
  EXPECT_EQ(letters("\tA", 255, 100, 3, 4), (std::vector<std::array<int64_t, 5>>{
                                                {9, 22, 111, 54, 0x64000000}, {9, 22, 108, 50, 0xFFFFFFFF}}));
  // e acute (233), the euro sign (U+20AC), a byte 0xFF and a sequence cut short, then Z; e acute:
  // cell 201, column 9, row 12; "?" (63): cell 31, column 15, row 1; Z: column 10, row 3
  const std::string text = std::string("\xc3\xa9") + "\xe2\x82\xac" + "\xff" + "\xc3" + "Z";
  EXPECT_EQ(letters(text, 255, 0, 0, 0), (std::vector<std::array<int64_t, 5>>{
                                             {81, 132, 100, 50, 0xFFFFFFFF}, {135, 11, 108, 50, 0xFFFFFFFF},
                                             {135, 11, 116, 50, 0xFFFFFFFF}, {135, 11, 124, 50, 0xFFFFFFFF},
                                             {90, 33, 132, 50, 0xFFFFFFFF}}));
}

// The lit pixels of the headless screen, given a colour mask, in rows top to top + height.
int lit(started_headless& e, uint32_t mask, int32_t top = 0, int32_t height = 480) {
  int count = 0;
  for (int32_t y = top; y < top + height; ++y)
    for (int32_t x = 0; x < 640; ++x) count += (e.display->pixel(x, y) & mask) > 0 ? 1 : 0;
  return count;
}

TEST(Text, HeadlessDrawsGlyphsInsideTheRectangleOnlyAndKeptLinesFollowColoursAndChanges) {
  started_headless e;
  e->scene_begin();
  e->text(20, 20, 60, 30, "WWWWWWWWWWWW", 0xFFFFFFFFu, "Arial", 14, true, false, 0, 0, 0, 0);
  int lit_inside = 0, lit_outside = 0;
  for (int32_t y = 0; y < 480; ++y)
    for (int32_t x = 0; x < 640; ++x)
      ((x >= 20 && x < 80 && y >= 20 && y < 50) ? lit_inside : lit_outside) += (e.display->pixel(x, y) & 0xFF) > 100;
  EXPECT_GT(lit_inside, 50);
  EXPECT_EQ(lit_outside, 0);
  // Rendered lines are kept between draws and frames: each draw must still get its own colour, and a
  // changed line its own glyphs.
  e->scene_begin();
  e->text(0, 0, 200, 40, "WWW", 0xFFFF0000u, "Arial", 20, true, false, 0, 0, 0, 0);
  e->text(0, 50, 200, 90, "WWW", 0xFF00FF00u, "Arial", 20, true, false, 0, 0, 0, 0);
  e->scene_end();
  const int wide = lit(e, 0xFF0000u, 0, 40);
  EXPECT_GT(wide, 100);
  EXPECT_EQ(lit(e, 0x00FF00u, 0, 40), 0);
  EXPECT_GT(lit(e, 0x00FF00u, 50, 40), 100);
  EXPECT_EQ(lit(e, 0xFF0000u, 50, 40), 0);
  e->scene_begin();
  e->text(0, 0, 200, 40, "i", 0xFFFF0000u, "Arial", 20, true, false, 0, 0, 0, 0);
  e->scene_end();
  EXPECT_LT(lit(e, 0xFF0000u, 0, 40) * 5, wide);
}

}  // namespace
}  // namespace varnel2d::testing
