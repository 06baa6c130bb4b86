// The ten scenes as the show assembles them from the picture slices (its scene table's left and
// right parts): seamless inside, clearly different from one another, none flat.
#include "show/scenes.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "picture.hpp"

using namespace data_test;

namespace {

// The scenes, 640 x 480 each, put together as the show lays them out; a scene whose slice is
// missing or too small for its part is left out.
std::vector<Picture> assemble_scenes() {
  std::vector<Picture> slices, scenes;
  for (int i = 1; i <= 13; ++i) slices.push_back(load_picture("f" + std::to_string(i) + ".jpg"));
  for (int32_t k = 1; k <= brisenfall::SCENE_COUNT; ++k) {
    brisenfall::show_state show;
    brisenfall::get_frame(show, k);
    Picture scene{640, 480, std::vector<uint8_t>(640 * 480 * 4)};
    int x_on_screen = 0;
    for (const brisenfall::scene_part& part : show.scene_layout) {
      const Picture& slice = slices.at(static_cast<size_t>(part.texture - 1));
      if (slice.width < part.source_x + part.width || slice.height < part.height || part.height != 480 ||
          x_on_screen + part.width > 640)
        return scenes;
      for (int y = 0; y < 480; ++y)
        std::copy(slice.at(part.source_x, y), slice.at(part.source_x, y) + part.width * 4,
                  scene.rgba.begin() + (y * 640 + x_on_screen) * 4);
      x_on_screen += part.width;
    }
    if (x_on_screen == 640) scenes.push_back(std::move(scene));
  }
  return scenes;
}

// Mean absolute colour difference between two neighbouring columns.
double column_step(const Picture& s, int x) {
  double sum = 0;
  for (int y = 0; y < s.height; ++y)
    for (int c = 0; c < 3; ++c) sum += std::abs(s.at(x, y)[c] - s.at(x + 1, y)[c]);
  return sum / (3.0 * s.height);
}

TEST(Scenes, JoinWithoutASeamHaveDepthAndDetailAndDifferClearly) {
  const std::vector<Picture> scenes = assemble_scenes();
  ASSERT_EQ(scenes.size(), 10u) << "a slice is missing or too small, or a scene does not fill the screen";
  std::vector<std::array<double, 64>> histograms;
  for (size_t k = 0; k < scenes.size(); ++k) {
    SCOPED_TRACE("scene " + std::to_string(k + 1));
    const Picture& s = scenes[k];
    brisenfall::show_state show;
    brisenfall::get_frame(show, static_cast<int32_t>(k + 1));
    const int seam = show.scene_layout[0].width - 1;
    // Compare the step across the seam with the steps between nearby columns: a slice cut at
    // the wrong place puts two different pictures side by side there.
    std::vector<double> nearby;
    for (int x = std::max(0, seam - 40); x <= std::min(638, seam + 40); ++x)
      if (x != seam) nearby.push_back(column_step(s, x));
    std::nth_element(nearby.begin(), nearby.begin() + static_cast<std::ptrdiff_t>(nearby.size() / 2), nearby.end());
    EXPECT_LT(column_step(s, seam), 3 * nearby[nearby.size() / 2] + 6) << "a seam";

    double sum = 0, squares = 0;
    int colours = 0;
    std::vector<bool> seen(1 << 15);
    std::array<double, 64>& histogram = histograms.emplace_back();  // 4 levels a channel
    for (size_t i = 0; i < s.rgba.size(); i += 4) {
      const uint8_t* p = &s.rgba[i];
      const double luminance = 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2];
      sum += luminance;
      squares += luminance * luminance;
      const size_t key = static_cast<size_t>((p[0] >> 3) << 10 | (p[1] >> 3) << 5 | p[2] >> 3);
      colours += !seen[key];
      seen[key] = true;
      histogram[static_cast<size_t>((p[0] >> 6) * 16 + (p[1] >> 6) * 4 + (p[2] >> 6))] += 1.0 / (640 * 480);
    }
    const double mean = sum / (640 * 480);
    EXPECT_GT(std::sqrt(squares / (640 * 480) - mean * mean), 18) << "nearly flat";
    EXPECT_GT(colours, 500) << "too few colours";
    for (size_t j = 0; j < k; ++j) {
      double distance = 0;
      for (size_t b = 0; b < 64; ++b) distance += std::fabs(histograms[j][b] - histogram[b]);
      EXPECT_GT(distance, 0.5) << "too similar colours to scene " << j + 1;
    }
  }
}

}  // namespace
