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

// The twelve single crystals, then the four frames of the sheet (column, row order: 0,0 1,0 0,1 1,1).
std::vector<Frame> crystal_frames() {
  std::vector<Frame> frames;
  for (int i = 1; i <= 12; ++i)
    frames.push_back({"sf" + std::to_string(i) + ".png", load_picture("sf" + std::to_string(i) + ".png")});
  const Picture sheet = load_picture("gf1.png");
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 2; ++col)
      frames.push_back(
          {"gf1.png frame " + std::to_string(col) + "," + std::to_string(row), sheet, col * 63, row * 63, 62});
  return frames;
}

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

TEST(FlakeTextures, KeyedExactlyWhereTransparentWhiteOrIceBlueElsewhereWithClearBorders) {
  std::vector<Frame> frames = crystal_frames();
  frames.push_back({"sb1.png", load_picture("sb1.png"), 0, 0, 32});
  frames.push_back({"gf1.png", frames[12].pic, 0, 0, 125});
  for (const Frame& f : frames) {
    SCOPED_TRACE(f.name);
    ASSERT_GE(f.pic.width, f.x0 + f.size);
    int keyed = 0, partial = 0, visible = 0, wrong = 0, touching = 0;
    for (int y = 0; y < f.size; ++y) {
      for (int x = 0; x < f.size; ++x) {
        const uint8_t* p = f.pic.at(f.x0 + x, f.y0 + y);
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
  }
}

TEST(FlakeTextures, SheetHasFourFullFramesOnA62PixelGridWithOnePixelGap) {
  const Picture sheet = load_picture("gf1.png");
  ASSERT_EQ(sheet.width, 125);
  ASSERT_EQ(sheet.height, 125);
  for (int i = 0; i < 125; ++i) {
    EXPECT_EQ(sheet.argb(62, i), magenta) << "gap column, row " << i;
    EXPECT_EQ(sheet.argb(i, 62), magenta) << "gap row, column " << i;
  }
  const std::vector<Frame> frames = crystal_frames();
  for (auto f = frames.begin() + 12; f != frames.end(); ++f) {
    double total = 0;
    for (int y = 0; y < f->size; ++y)
      for (int x = 0; x < f->size; ++x) total += f->alpha(x, y);
    EXPECT_GT(total, 255.0 * 150) << f->name << " is empty or nearly so";
  }
}

TEST(FlakeTextures, CrystalsAreSixFoldAndDifferFromOneAnother) {
  const std::vector<Frame> frames = crystal_frames();
  for (const Frame& f : frames) {
    // Turning by 60 degrees leaves a six-fold crystal nearly unchanged; turning by 30 does not
    // (every crystal has arms or corners that a 30-degree turn moves onto empty space).
    const double by60 = turn_mismatch(f, 60), by30 = turn_mismatch(f, 30);
    EXPECT_LT(by60, 0.2) << f.name;
    EXPECT_GT(by30, by60 * 1.5) << f.name;
  }
  // Compare on a common 62-pixel square around each centre.
  auto sample = [](const Frame& f, int x, int y) { return f.alpha(x + (f.size - 62) / 2, y + (f.size - 62) / 2); };
  for (size_t i = 0; i < frames.size(); ++i) {
    for (size_t j = i + 1; j < frames.size(); ++j) {
      int differing = 0;
      for (int y = 0; y < 62; ++y)
        for (int x = 0; x < 62; ++x) differing += std::fabs(sample(frames[i], x, y) - sample(frames[j], x, y)) > 96;
      EXPECT_GT(differing, 62 * 62 / 25) << frames[i].name << " and " << frames[j].name << " look alike";
    }
  }
}

TEST(FlakeTextures, CommonFlakeIsASoftRoundDot) {
  const Frame f{"sb1.png", load_picture("sb1.png"), 0, 0, 32};
  ASSERT_EQ(f.pic.width, 32);
  const double centre = f.alpha(16, 16);
  EXPECT_GT(centre, 200);
  // Alpha falls steadily with the distance from the centre, the same way in every direction.
  for (int r : {4, 8, 12}) {
    const double ring[] = {f.alpha(16 + r, 16), f.alpha(15 - r, 16), f.alpha(16, 16 + r), f.alpha(16, 15 - r)};
    for (double a : ring) {
      EXPECT_LT(a, centre);
      EXPECT_NEAR(a, ring[0], 12);
    }
  }
  EXPECT_GT(f.alpha(20, 16), f.alpha(24, 16));
  EXPECT_GT(f.alpha(24, 16), f.alpha(28, 16));
  EXPECT_GT(f.alpha(27, 16), 0) << "the falloff reaches close to the edge: a soft dot, not a small disc";
}

}  // namespace
