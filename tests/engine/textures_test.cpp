// Texture and surface slots, the colour key, and texture_draw's placement, rotation and shadow.
#include <gtest/gtest.h>

#include "engine/angles.h"
#include <varnel2d/testing/engine_on_doubles.h>
#include "support/test_files.h"

namespace varnel2d {
namespace {

template <typename Engine>
struct prepared : Engine {
  testing::temp_folder folder;
  explicit prepared(int32_t width = 640, int32_t height = 480) {
    this->engine->lib_setpath(folder.path().string());
    this->engine->init(0, width, height, 32);
  }
  void picture(const std::string& name, const testing::pixel_image& image) { testing::write_png(folder.file(name), image); }
  // Draws texture 1 (source 0, 0, w, h) with everything else neutral.
  void draw(double w, double h, double x, double y, double rotation, double scale, bool origin) {
    this->engine->texture_draw(1, 0, 0, w, h, x, y, 255, 255, 255, 255, rotation, scale, scale, origin, 0, 0, 0, 1, 1, 0);
  }
};

using recorded = prepared<testing::recorded_engine>;
using headless = prepared<testing::headless_engine>;

TEST(TextureLoad, IndexOutsideTheTableChangesNothing) {
  recorded e;
  e.picture("a.png", testing::filled_image(4, 4, 0xFFFFFFFF));
  EXPECT_FALSE(e->texture_load(0, "a.png", 0u));
  EXPECT_FALSE(e->texture_load(201, "a.png", 0u));
  EXPECT_TRUE(e.display->texture_files.empty());
  EXPECT_TRUE(e->texture_load(200, "a.png", 0u));
  EXPECT_EQ(e->texture_getwidth(200), 4);
}

TEST(TextureLoad, MissingFileEmptiesALoadedSlot) {
  recorded e;
  e.picture("a.png", testing::filled_image(6, 3, 0xFFFFFFFF));
  ASSERT_TRUE(e->texture_load(5, "a.png", 0u));
  EXPECT_EQ(e->texture_getwidth(5), 6);
  EXPECT_EQ(e->texture_getheight(5), 3);
  EXPECT_FALSE(e->texture_load(5, "missing.png", 0u));
  EXPECT_EQ(e->texture_getwidth(5), 0);
  EXPECT_EQ(e.display->live_images(), 0);
}

TEST(TextureLoad, OneByteFileCountsAsMissingAndNoKeyFails) {
  recorded e;
  testing::write_file(e.folder.file("tiny.png"), "x");
  e.picture("a.png", testing::filled_image(4, 4, 0xFFFFFFFF));
  EXPECT_FALSE(e->texture_load(1, "tiny.png", 0u));
  EXPECT_FALSE(e->texture_load(1, "a.png"));
  EXPECT_TRUE(e->texture_load(1, e.folder.file("a.png"), 0u, true));
}

TEST(TextureLoad, UnreadableImageFails) {
  recorded e;
  testing::write_file(e.folder.file("text.png"), "not a picture at all");
  EXPECT_FALSE(e->texture_load(1, "text.png", 0u));
}

TEST(SurfaceLoad, MissingFileKeepsThePathButNothingIsDrawn) {
  recorded e;
  EXPECT_FALSE(e->surface_load(3, "missing.jpg"));
  e->surface_todraw(3);
  e->scene_begin();
  EXPECT_TRUE(e.display->surfaces_copied.empty());
  e.picture("back.png", testing::filled_image(4, 4, 0xFF102030));
  EXPECT_TRUE(e->surface_load(3, "back.png"));
  e->scene_begin();
  EXPECT_EQ(e.display->surfaces_copied.size(), 1u);
  e->surface_todraw(250);  // outside the table: nothing
  e->scene_begin();
  EXPECT_EQ(e.display->surfaces_copied.size(), 1u);
}

TEST(TextureDraw, CentreOriginKeepsTheCentreWhenScaled) {
  recorded e;
  e.picture("a.png", testing::filled_image(32, 16, 0xFFFFFFFF));
  ASSERT_TRUE(e->texture_load(1, "a.png", 0u));
  e.display->quads.clear();
  e.draw(32, 16, 100, 50, 0, 2, false);
  e.draw(32, 16, 100, 50, 0, 2, true);
  ASSERT_EQ(e.display->quads.size(), 2u);
  const sprite_quad& centred = e.display->quads[0];
  EXPECT_EQ(centred.x, 84.0f);  // left by half the source width
  EXPECT_EQ(centred.y, 42.0f);
  EXPECT_EQ(centred.scale_x, 2.0f);
  EXPECT_EQ(centred.centre_x, 32.0f);
  EXPECT_EQ(centred.centre_y, 16.0f);
  EXPECT_EQ(centred.x + centred.centre_x, 100.0f + 16.0f);  // the unscaled image's centre
  const sprite_quad& corner = e.display->quads[1];
  EXPECT_EQ(corner.x, 100.0f);
  EXPECT_EQ(corner.y, 50.0f);
}

TEST(TextureDraw, SourceRectangleColourAndRotation) {
  recorded e;
  e.picture("a.png", testing::filled_image(64, 64, 0xFFFFFFFF));
  ASSERT_TRUE(e->texture_load(1, "a.png", 0u));
  e.display->quads.clear();
  e->texture_draw(1, 10, 20, 16, 8, 5.7, -3.2, 200, 10, 20, 30, 90, 1, 1, true, 0, 0, 0, 1, 1, 0);
  e->texture_draw(1, 10, 20, 16, 8, 5, 5, 255, 255, 255, 255, 450, 1, 1, true, 0, 0, 0, 1, 1, 0);
  e->texture_draw(1, 10, 20, 16, 8, 5, 5, 255, 255, 255, 255, 360, 1, 1, true, 0, 0, 0, 1, 1, 0);
  ASSERT_EQ(e.display->quads.size(), 3u);
  const sprite_quad& q = e.display->quads[0];
  EXPECT_EQ(q.left, 10);
  EXPECT_EQ(q.top, 20);
  EXPECT_EQ(q.right, 26);
  EXPECT_EQ(q.bottom, 28);
  EXPECT_EQ(q.x, 5.0f);   // rounded down
  EXPECT_EQ(q.y, -4.0f);
  EXPECT_EQ(q.colour, 0xC80A141Eu);
  EXPECT_NEAR(q.rotation, 3 * engine_pi / 2, 1e-6);  // counter-clockwise 270: clockwise 90
  EXPECT_EQ(e.display->quads[1].rotation, q.rotation);
  EXPECT_EQ(e.display->quads[2].rotation, 0.0f);
}

TEST(TextureDraw, ShadowIsABlackQuadDrawnFirst) {
  recorded e;
  e.picture("a.png", testing::filled_image(16, 16, 0xFFFFFFFF));
  ASSERT_TRUE(e->texture_load(1, "a.png", 0u));
  e.display->quads.clear();
  e->texture_draw(1, 0, 0, 16, 16, 40, 40, 255, 255, 255, 255, 0, 1, 1, true, 0, 4, 5, 1, 1, 0);
  EXPECT_EQ(e.display->quads.size(), 1u);
  e.display->quads.clear();
  e->texture_draw(1, 0, 0, 16, 16, 40, 40, 255, 255, 255, 255, 0, 1, 1, true, 128, 4, 5, 1.5, 1.5, 90);
  ASSERT_EQ(e.display->quads.size(), 2u);
  const sprite_quad& shadow = e.display->quads[0];
  EXPECT_EQ(shadow.colour, 0x80000000u);
  EXPECT_EQ(shadow.x, 44.0f);
  EXPECT_EQ(shadow.y, 45.0f);
  EXPECT_EQ(shadow.scale_x, 1.5f);
  EXPECT_EQ(shadow.centre_x, 8.0f);  // the main image's centre
  EXPECT_NEAR(shadow.rotation, 3 * engine_pi / 2, 1e-6);
  EXPECT_EQ(e.display->quads[1].colour, 0xFFFFFFFFu);
  EXPECT_EQ(e.display->quads[1].x, 40.0f);
}

TEST(TextureDraw, IndexOutsideTheTableOrEmptySlotDrawsNothing) {
  recorded e;
  e.display->quads.clear();
  for (const double index : {0.0, 201.0, -5.0, 1e9, 3.0})
    e->texture_draw(index, 0, 0, 8, 8, 0, 0, 255, 255, 255, 255, 0, 1, 1, true, 128, 1, 1, 1, 1, 0);
  e->text_bitmap("AB", 201, 0, 0, 8, 8, 16, 0, 0, 255, 128, 1, 1);
  EXPECT_TRUE(e.display->quads.empty());
}

TEST(ColourKey, ExactlyOpaqueMagentaBecomesTransparent) {
  headless e(64, 32);
  testing::pixel_image image = testing::filled_image(4, 1, 0);
  image.argb = {0xFFFF00FFu, 0x80FF00FFu, 0x80FF0000u, 0xFF00FF00u};
  e.picture("keyed.png", image);
  ASSERT_TRUE(e->texture_load(1, "keyed.png", 0xFFFF00FFu));
  ASSERT_TRUE(e->texture_load(2, "keyed.png", 0u));
  e->scene_begin();
  e.draw(4, 1, 0, 0, 0, 1, true);
  e->texture_draw(2, 0, 0, 4, 1, 0, 5, 255, 255, 255, 255, 0, 1, 1, true, 0, 0, 0, 1, 1, 0);
  EXPECT_EQ(e.display->pixel(0, 0) & 0xFFFFFF, 0x000000u);  // keyed away
  EXPECT_NEAR((e.display->pixel(1, 0) >> 16) & 0xFF, 128, 2);  // half magenta stays half
  EXPECT_NEAR(e.display->pixel(1, 0) & 0xFF, 128, 2);
  EXPECT_NEAR((e.display->pixel(2, 0) >> 16) & 0xFF, 128, 2);
  EXPECT_EQ(e.display->pixel(2, 0) & 0xFFFF, 0u);
  EXPECT_EQ(e.display->pixel(3, 0) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(e.display->pixel(0, 5) & 0xFFFFFF, 0xFF00FFu);  // no key: magenta stays
}

TEST(Rotation, NinetyTurnsAQuarterClockwiseAboutTheCentre) {
  headless e(64, 64);
  testing::pixel_image image = testing::filled_image(16, 16, 0xFF0000FF);  // blue right half
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 8; ++x) image.argb[static_cast<size_t>(y * 16 + x)] = 0xFFFF0000;  // red left half
  e.picture("halves.png", image);
  ASSERT_TRUE(e->texture_load(1, "halves.png", 0u));
  e->scene_begin();
  e.draw(16, 16, 10, 10, 0, 1, true);
  EXPECT_EQ(e.display->pixel(12, 18) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(e.display->pixel(23, 18) & 0xFFFFFF, 0x0000FFu);
  e->scene_begin();
  e.draw(16, 16, 10, 10, 90, 1, true);  // the left half turns to the top
  EXPECT_EQ(e.display->pixel(18, 12) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(e.display->pixel(18, 23) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(e.display->pixel(9, 18) & 0xFFFFFF, 0u);  // still inside its own square
  e->scene_begin();
  e.draw(16, 16, 10, 10, 270, 1, true);  // and with 270 to the bottom
  EXPECT_EQ(e.display->pixel(18, 23) & 0xFFFFFF, 0xFF0000u);
}

TEST(Scale, CentreOriginGrowsAroundTheSamePlace) {
  headless e(64, 64);
  e.picture("white.png", testing::filled_image(8, 8, 0xFFFFFFFF));
  ASSERT_TRUE(e->texture_load(1, "white.png", 0u));
  e->scene_begin();
  e.draw(8, 8, 20, 20, 0, 2, false);  // unscaled it covers 20..27; doubled 16..31
  EXPECT_EQ(e.display->pixel(16, 16) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(e.display->pixel(31, 31) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(e.display->pixel(15, 20) & 0xFFFFFF, 0u);
  EXPECT_EQ(e.display->pixel(32, 20) & 0xFFFFFF, 0u);
}

}  // namespace
}  // namespace varnel2d
