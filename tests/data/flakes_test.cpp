// The snowflake textures: magenta exactly where nothing is drawn, white or ice-blue pixels with
// real alpha everywhere else, clear frame borders, the 62-pixel grid of the flake sheet, six-fold
// crystals that differ from one another, and a soft round common flake.
#include <gtest/gtest.h>

#include <cmath>

#include "picture.hpp"

using namespace data_test;

namespace {

constexpr uint32_t magenta = 0xFFFF00FF;

// One frame of a texture: the whole file, or one cell of the flake sheet.
struct Frame {
  std::string name;
  Picture pic;
  int x0 = 0, y0 = 0, size = 64;

  // Alpha as the show sees it: the magenta key is fully transparent.
  double alpha(int x, int y) const {
    if (x < 0 || y < 0 || x >= size || y >= size) return 0;
    return pic.argb(x0 + x, y0 + y) == magenta ? 0 : pic.at(x0 + x, y0 + y)[3];
  }
};

// How much the frame changes when turned by `degrees` about its centre (alpha sampled bilinearly
// between pixels), relative to its total alpha.
double turn_mismatch(const Frame& f, double degrees) {
  const double a = degrees * M_PI / 180, c = f.size / 2.0;
  double diff = 0, total = 0;
  for (int y = 0; y < f.size; ++y) {
    for (int x = 0; x < f.size; ++x) {
      const double dx = x + 0.5 - c, dy = y + 0.5 - c;
      const double rx = c + dx * std::cos(a) - dy * std::sin(a) - 0.5,
                   ry = c + dx * std::sin(a) + dy * std::cos(a) - 0.5;
      const int ix = static_cast<int>(std::floor(rx)), iy = static_cast<int>(std::floor(ry));
      const double tx = rx - ix, ty = ry - iy;
      const double turned = (f.alpha(ix, iy) * (1 - tx) + f.alpha(ix + 1, iy) * tx) * (1 - ty) +
                            (f.alpha(ix, iy + 1) * (1 - tx) + f.alpha(ix + 1, iy + 1) * tx) * ty;
      diff += std::fabs(f.alpha(x, y) - turned);
      total += f.alpha(x, y);
    }
  }
  return diff / total;
}

TEST(FlakeTextures, KeyedCleanlyOnTheirGridSixFoldDistinctAndTheCommonFlakeSoftAndRound) {
  const Picture sheet = load_picture("gf1.png");
  ASSERT_EQ(sheet.width, 125);
  ASSERT_EQ(sheet.height, 125);
  for (int i = 0; i < 125; ++i)
    EXPECT_TRUE(sheet.argb(62, i) == magenta && sheet.argb(i, 62) == magenta) << "the one-pixel gap at " << i;
  // The twelve crystals, the sheet's four 62-pixel frames (column, row), then the common flake and
  // the whole sheet, which are only checked pixel by pixel.
  std::vector<Frame> frames;
  for (int i = 1; i <= 12; ++i)
    frames.push_back({"sf" + std::to_string(i) + ".png", load_picture("sf" + std::to_string(i) + ".png")});
  for (int cell = 0; cell < 4; ++cell)
    frames.push_back({"gf1.png frame " + std::to_string(cell), sheet, cell % 2 * 63, cell / 2 * 63, 62});
  const size_t crystals = frames.size();
  frames.push_back({"sb1.png", load_picture("sb1.png"), 0, 0, 32});
  frames.push_back({"gf1.png", sheet, 0, 0, 125});

  for (size_t i = 0; i < frames.size(); ++i) {
    const Frame& f = frames[i];
    SCOPED_TRACE(f.name);
    ASSERT_GE(f.pic.width, f.x0 + f.size);
    int keyed = 0, partial = 0, visible = 0, wrong = 0, touching = 0;
    double total = 0;
    for (int y = 0; y < f.size; ++y) {
      for (int x = 0; x < f.size; ++x) {
        const uint8_t* p = f.pic.at(f.x0 + x, f.y0 + y);
        total += f.alpha(x, y);
        if (f.pic.argb(f.x0 + x, f.y0 + y) == magenta) {
          ++keyed;
          continue;
        }
        // A pixel that is not the key must be visible, and white or ice-blue however faint.
        wrong += p[3] == 0 || !(p[2] >= 250 && p[1] >= 215 && p[0] >= 185 && p[0] <= p[1] && p[1] <= p[2]);
        ++visible;
        partial += p[3] < 255;
        touching += x == 0 || y == 0 || x == f.size - 1 || y == f.size - 1;
      }
    }
    EXPECT_EQ(wrong, 0) << "pixels that are neither the key nor white or ice-blue with alpha";
    EXPECT_GT(keyed, f.size * f.size / 4);
    EXPECT_GT(visible, 60);
    EXPECT_GT(partial, visible / 4) << "edges and bodies should be translucent, not cut out";
    EXPECT_EQ(touching, 0) << "visible pixels on the frame's outer edge";
    if (i >= crystals) continue;
    EXPECT_GT(total, 255.0 * 150) << "empty or nearly so";
    // Turning by 60 degrees leaves a six-fold crystal nearly unchanged; turning by 30 does not
    // (every crystal has arms or corners that a 30-degree turn moves onto empty space).
    const double by60 = turn_mismatch(f, 60), by30 = turn_mismatch(f, 30);
    EXPECT_LT(by60, 0.2);
    EXPECT_GT(by30, by60 * 1.5);
    // Compared with every earlier crystal on a common 62-pixel square around the centres.
    auto sample = [](const Frame& c, int x, int y) { return c.alpha(x + (c.size - 62) / 2, y + (c.size - 62) / 2); };
    for (size_t j = 0; j < i; ++j) {
      int differing = 0;
      for (int y = 0; y < 62; ++y)
        for (int x = 0; x < 62; ++x) differing += std::fabs(sample(f, x, y) - sample(frames[j], x, y)) > 96;
      EXPECT_GT(differing, 62 * 62 / 25) << "looks like " << frames[j].name;
    }
  }

  // The common flake: alpha falls steadily from the centre, alike in every direction, to near the
  // edge (a soft dot, not a small disc).
  const Frame& dot = frames[crystals];
  const double centre = dot.alpha(16, 16);
  EXPECT_GT(centre, 200);
  for (int r : {4, 8, 12}) {
    const double ring[] = {dot.alpha(16 + r, 16), dot.alpha(15 - r, 16), dot.alpha(16, 16 + r), dot.alpha(16, 15 - r)};
    for (double a : ring) {
      EXPECT_LT(a, centre);
      EXPECT_NEAR(a, ring[0], 12);
    }
  }
  EXPECT_TRUE(dot.alpha(20, 16) > dot.alpha(24, 16) && dot.alpha(24, 16) > dot.alpha(28, 16));
  EXPECT_GT(dot.alpha(27, 16), 0);
}

}  // namespace
