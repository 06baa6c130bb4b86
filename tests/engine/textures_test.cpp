// Texture and surface slots, the colour key, texture_draw's placement, rotation and shadow, and text:
// system-font text with its shadow and alignment, and bitmap-font text from a letter grid.
#include <gtest/gtest.h>
#include <varnel2d/font_faces.h>

#include <tuple>

#include "engine/angles.h"
#include "support/engine_fixture.h"

namespace varnel2d::testing {
namespace {

// Draws texture 1 (source 0, 0, w, h) with everything else neutral.
template <typename Engine>
void draw(Engine& e, double w, double h, double x, double y, double rotation, double scale, bool origin) {
  e->texture_draw(1, 0, 0, w, h, x, y, 255, 255, 255, 255, rotation, scale, scale, origin, 0, 0, 0, 1, 1, 0);
}

TEST(TextureLoad, SlotsTakeFilesOfTwoBytesOrMoreThatReadAsPicturesAndSurfacesKeepTheirPath) {
  started_recorded e;
  write_png(e.folder.file("a.png"), filled_image(6, 3, 0xFFFFFFFF));
  write_file(e.folder.file("tiny.png"), "x");
  write_file(e.folder.file("text.png"), "not a picture at all");
  for (const int outside : {0, 201}) EXPECT_FALSE(e->texture_load(outside, "a.png", 0u)) << outside;
  EXPECT_TRUE(e.display->texture_files.empty());
  ASSERT_TRUE(e->texture_load(200, "a.png", 0u));
  EXPECT_EQ(std::pair(e->texture_getwidth(200), e->texture_getheight(200)), std::pair(6.0, 3.0));
  EXPECT_FALSE(e->texture_load(200, "missing.png", 0u));  // empties the loaded slot
  EXPECT_EQ(e->texture_getwidth(200), 0);
  EXPECT_EQ(e.display->live_images(), 0);
  for (const char* refused : {"tiny.png", "text.png"}) EXPECT_FALSE(e->texture_load(1, refused, 0u)) << refused;
  EXPECT_FALSE(e->texture_load(1, "a.png"));  // no colour key
  EXPECT_TRUE(e->texture_load(1, e.folder.file("a.png"), 0u, true));
  EXPECT_FALSE(e->surface_load(3, "missing.jpg"));
  e->surface_todraw(3);
  e->scene_begin();
  EXPECT_TRUE(e.display->surfaces_copied.empty());
  write_png(e.folder.file("missing.jpg"), filled_image(4, 4, 0xFF102030));
  EXPECT_TRUE(e->surface_load(3, "missing.jpg"));
  e->scene_begin();
  EXPECT_EQ(e.display->surfaces_copied.size(), 1u);
  e->surface_todraw(250);  // outside the table: nothing
  e->scene_begin();
  EXPECT_EQ(e.display->surfaces_copied.size(), 1u);
}

TEST(TextureDraw, PlacementSourceColourRotationAndShadow) {
  started_recorded e;
  e.load_texture(1, 32, 16);
  draw(e, 32, 16, 100, 50, 0, 2, false);
  draw(e, 32, 16, 100, 50, 0, 2, true);
  e->texture_draw(1, 10, 20, 16, 8, 5.7, -3.2, 200, 10, 20, 30, 90, 1, 1, true, 0, 0, 0, 1, 1, 0);
  e->texture_draw(1, 10, 20, 16, 8, 5, 5, 255, 255, 255, 255, 450, 1, 1, true, 0, 0, 0, 1, 1, 0);
  e->texture_draw(1, 10, 20, 16, 8, 5, 5, 255, 255, 255, 255, 360, 1, 1, true, 0, 0, 0, 1, 1, 0);
  e->texture_draw(1, 0, 0, 16, 16, 40, 40, 255, 255, 255, 255, 0, 1, 1, true, 0, 4, 5, 1, 1, 0);  // no shadow alpha
  e->texture_draw(1, 0, 0, 16, 16, 40, 40, 255, 255, 255, 255, 0, 1, 1, true, 128, 4, 5, 1.5, 1.5, 90);
  const std::vector<sprite_quad>& q = e.display->quads;
  ASSERT_EQ(q.size(), 8u);
  // The centre origin keeps the unscaled image's centre: left by half the source width.
  EXPECT_EQ(std::tuple(position_of(q[0]), q[0].scale_x, q[0].centre_x, q[0].centre_y),
            std::tuple(std::array{84.0f, 42.0f}, 2.0f, 32.0f, 16.0f));
  EXPECT_EQ(position_of(q[1]), (std::array{100.0f, 50.0f}));
  EXPECT_EQ(std::tuple(source_of(q[2]), position_of(q[2]), q[2].colour),  // the position rounded down
            std::tuple(std::array{10, 20, 26, 28}, std::array{5.0f, -4.0f}, 0xC80A141Eu));
  EXPECT_NEAR(q[2].rotation, 3 * engine_pi / 2, 1e-6);  // counter-clockwise 270: clockwise 90
  EXPECT_EQ(q[3].rotation, q[2].rotation);
  EXPECT_EQ(q[4].rotation, 0.0f);
  EXPECT_EQ(q[5].colour, 0xFFFFFFFFu);
  // The shadow is a black quad drawn first, offset, with the main image's scale, centre and turn.
  EXPECT_EQ(std::tuple(q[6].colour, position_of(q[6]), q[6].scale_x, q[6].centre_x),
            std::tuple(0x80000000u, std::array{44.0f, 45.0f}, 1.5f, 8.0f));
  EXPECT_NEAR(q[6].rotation, 3 * engine_pi / 2, 1e-6);
  EXPECT_EQ(std::pair(q[7].colour, q[7].x), std::pair(0xFFFFFFFFu, 40.0f));
  e.display->quads.clear();
  for (const double index : {0.0, 201.0, -5.0, 1e9, 3.0})  // outside the table or empty
    e->texture_draw(index, 0, 0, 8, 8, 0, 0, 255, 255, 255, 255, 0, 1, 1, true, 128, 1, 1, 1, 1, 0);
  e->text_bitmap("AB", 201, 0, 0, 8, 8, 16, 0, 0, 255, 128, 1, 1);
  EXPECT_TRUE(e.display->quads.empty());
}

TEST(TextureDraw, HeadlessKeysExactlyOpaqueMagentaTurnsClockwiseAboutTheCentreAndScales) {
  started_headless e;
  pixel_image image = filled_image(4, 1, 0);
  image.argb = {0xFFFF00FFu, 0x80FF00FFu, 0x80FF0000u, 0xFF00FF00u};
  write_png(e.folder.file("keyed.png"), image);
  ASSERT_TRUE(e->texture_load(1, "keyed.png", 0xFFFF00FFu));
  ASSERT_TRUE(e->texture_load(2, "keyed.png", 0u));
  e->scene_begin();
  draw(e, 4, 1, 0, 0, 0, 1, true);
  e->texture_draw(2, 0, 0, 4, 1, 0, 5, 255, 255, 255, 255, 0, 1, 1, true, 0, 0, 0, 1, 1, 0);
  const auto pixel = [&](int32_t x, int32_t y) { return e.display->pixel(x, y) & 0xFFFFFF; };
  EXPECT_EQ(pixel(0, 0), 0x000000u);       // keyed away
  EXPECT_NEAR(pixel(1, 0) >> 16, 128, 2);  // half magenta stays half
  EXPECT_NEAR(pixel(1, 0) & 0xFF, 128, 2);
  EXPECT_NEAR(pixel(2, 0) >> 16, 128, 2);
  EXPECT_EQ(pixel(2, 0) & 0xFFFF, 0u);
  EXPECT_EQ(pixel(3, 0), 0x00FF00u);
  EXPECT_EQ(pixel(0, 5), 0xFF00FFu);                      // no key: magenta stays
  pixel_image halves = filled_image(16, 16, 0xFF0000FF);  // blue right half
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 8; ++x) halves.argb[static_cast<size_t>(y * 16 + x)] = 0xFFFF0000;  // red left half
  write_png(e.folder.file("halves.png"), halves);
  ASSERT_TRUE(e->texture_load(1, "halves.png", 0u));
  const auto drawn = [&](double rotation, std::vector<std::pair<int32_t, int32_t>> points) {
    e->scene_begin();
    draw(e, 16, 16, 10, 10, rotation, 1, true);
    std::vector<uint32_t> colours;
    for (const auto& [x, y] : points) colours.push_back(e.display->pixel(x, y) & 0xFFFFFF);
    return colours;
  };
  EXPECT_EQ(drawn(0, {{12, 18}, {23, 18}}), (std::vector<uint32_t>{0xFF0000, 0x0000FF}));
  // 90 turns the left half to the top, still inside its own square; 270 to the bottom.
  EXPECT_EQ(drawn(90, {{18, 12}, {18, 23}, {9, 18}}), (std::vector<uint32_t>{0xFF0000, 0x0000FF, 0}));
  EXPECT_EQ(drawn(270, {{18, 23}}), (std::vector<uint32_t>{0xFF0000}));
  e.load_texture(1, 8, 8);
  e->scene_begin();
  draw(e, 8, 8, 20, 20, 0, 2, false);  // unscaled it covers 20..27; doubled 16..31
  EXPECT_EQ(e.display->pixel(16, 16) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(e.display->pixel(31, 31) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(e.display->pixel(15, 20) & 0xFFFFFF, 0u);
  EXPECT_EQ(e.display->pixel(32, 20) & 0xFFFFFF, 0u);
}

TEST(Text, ShadowAndAlignmentOfSystemFontTextAndBitmapLettersFromTheGrid) {
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
  // Letters come from a 16-column grid of 8 x 10 cells with one-pixel gaps, the shadow first and
  // control characters skipped. UTF-8 text: a character up to code 255 comes from its cell and
  // advances once; any other character, and a byte that is not UTF-8, draws as "?".
  e.load_texture(4, 160, 80);
  using letter = std::array<int64_t, 5>;  // left, top, x, y, colour
  const auto letters = [&](const std::string& text, double alpha, double shadow_alpha, double sx, double sy) {
    e.display->quads.clear();
    e->text_bitmap(text, 4, 0, 0, 8, 10, 16, 100, 50, alpha, shadow_alpha, sx, sy);
    std::vector<letter> drawn;
    for (const sprite_quad& q : e.display->quads)
      drawn.push_back({q.left, q.top, int64_t(q.x), int64_t(q.y), q.colour});
    return drawn;
  };
  // A, B: columns 1, 2 of row 2
  EXPECT_EQ(
      letters("A B", 200, 0, 3, 3),
      (std::vector<letter>{{9, 22, 100, 50, 0xC8FFFFFF}, {0, 0, 108, 50, 0xC8FFFFFF}, {18, 22, 116, 50, 0xC8FFFFFF}}));
  EXPECT_EQ(std::pair(e.display->quads[0].right, e.display->quads[0].bottom), std::pair(17, 32));
  EXPECT_EQ(letters("\tA", 255, 100, 3, 4),
            (std::vector<letter>{{9, 22, 111, 54, 0x64000000}, {9, 22, 108, 50, 0xFFFFFFFF}}));
  // e acute (233), the euro sign (U+20AC), a byte 0xFF and a sequence cut short, then Z; e acute:
  // cell 201, column 9, row 12; "?" (63): cell 31, column 15, row 1; Z: column 10, row 3
  const std::string text = std::string("\xc3\xa9") + "\xe2\x82\xac" + "\xff" + "\xc3" + "Z";
  EXPECT_EQ(letters(text, 255, 0, 0, 0), (std::vector<letter>{{81, 132, 100, 50, 0xFFFFFFFF},
                                                              {135, 11, 108, 50, 0xFFFFFFFF},
                                                              {135, 11, 116, 50, 0xFFFFFFFF},
                                                              {135, 11, 124, 50, 0xFFFFFFFF},
                                                              {90, 33, 132, 50, 0xFFFFFFFF}}));
}

// The classic face names are drawn in Liberation Sans, matched without regard to case; any other
// name is asked for as it is.
TEST(Text, ClassicFaceNamesStandInAsLiberationSans) {
  for (const auto& [asked, drawn] :
       std::initializer_list<std::pair<std::string_view, std::string_view>>{{"Arial", "Liberation Sans"},
                                                                            {"ms sans serif", "Liberation Sans"},
                                                                            {"MS Sans Serif", "Liberation Sans"},
                                                                            {"Arial Black", "Arial Black"},
                                                                            {"DejaVu Serif", "DejaVu Serif"}})
    EXPECT_EQ(stand_in_face(asked), drawn) << asked;
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
