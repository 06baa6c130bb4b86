// The ten scenes as the show assembles them from the picture slices (left part and right part
// from the scene table): seamless inside, clearly different from one another, none flat.
#include "picture.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

using namespace data_test;

namespace {

struct Part {
    int texture, source_x, width;
};

// The show's scene table: left part and right part of each scene.
constexpr std::array<std::array<Part, 2>, 10> scene_table = {{
    {{{1, 0, 512}, {2, 0, 128}}},
    {{{2, 128, 384}, {3, 0, 256}}},
    {{{3, 256, 256}, {4, 0, 384}}},
    {{{4, 384, 128}, {5, 0, 512}}},
    {{{6, 0, 512}, {7, 0, 128}}},
    {{{7, 128, 384}, {8, 0, 256}}},
    {{{8, 256, 256}, {9, 0, 384}}},
    {{{9, 384, 128}, {10, 0, 512}}},
    {{{11, 0, 512}, {12, 0, 128}}},
    {{{12, 128, 384}, {13, 0, 256}}},
}};

class Scenes : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::vector<Picture> slices;
        for (int i = 1; i <= 13; ++i)
            slices.push_back(load_picture(data_path("f" + std::to_string(i) + ".jpg")));
        for (const auto& row : scene_table) {
            Picture scene;
            scene.width = 640;
            scene.height = 480;
            scene.rgba.resize(640 * 480 * 4);
            int x_on_screen = 0;
            for (const Part& part : row) {
                const Picture& slice = slices[static_cast<size_t>(part.texture - 1)];
                if (slice.width < part.source_x + part.width || slice.height < 480)
                    return;   // the tests see an empty list and fail
                for (int y = 0; y < 480; ++y)
                    for (int x = 0; x < part.width; ++x)
                        std::copy(slice.at(part.source_x + x, y), slice.at(part.source_x + x, y) + 4,
                                  scene.rgba.begin() + (static_cast<std::ptrdiff_t>(y) * 640 + x_on_screen + x) * 4);
                x_on_screen += part.width;
            }
            scenes().push_back(std::move(scene));
        }
    }
    static std::vector<Picture>& scenes()
    {
        static std::vector<Picture> list;
        return list;
    }
};

double luminance(const uint8_t* p)
{
    return 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2];
}

// Mean absolute colour difference between two neighbouring columns.
double column_step(const Picture& s, int x)
{
    double sum = 0;
    for (int y = 0; y < s.height; ++y)
        for (int c = 0; c < 3; ++c)
            sum += std::abs(s.at(x, y)[c] - s.at(x + 1, y)[c]);
    return sum / (3.0 * s.height);
}

// Colour histogram with 4 levels a channel, as fractions of all pixels.
std::array<double, 64> histogram(const Picture& s)
{
    std::array<double, 64> h{};
    for (size_t i = 0; i < s.rgba.size(); i += 4)
        h[static_cast<size_t>((s.rgba[i] >> 6) * 16 + (s.rgba[i + 1] >> 6) * 4 + (s.rgba[i + 2] >> 6))] += 1;
    for (double& v : h)
        v /= s.width * s.height;
    return h;
}

TEST_F(Scenes, TheTableWidthsFillTheScreen)
{
    for (const auto& row : scene_table)
        EXPECT_EQ(row[0].width + row[1].width, 640);
    ASSERT_EQ(scenes().size(), 10u) << "a slice is missing or too small for the scene table";
}

TEST_F(Scenes, LeftAndRightPartsJoinWithoutASeam)
{
    ASSERT_EQ(scenes().size(), 10u);
    for (size_t k = 0; k < scenes().size(); ++k) {
        const Picture& s = scenes()[k];
        const int seam = scene_table[k][0].width - 1;
        // Compare the step across the seam with the steps between nearby columns: a slice cut at
        // the wrong place puts two different pictures side by side there.
        std::vector<double> nearby;
        for (int x = std::max(0, seam - 40); x <= std::min(638, seam + 40); ++x)
            if (x != seam)
                nearby.push_back(column_step(s, x));
        std::nth_element(nearby.begin(), nearby.begin() + static_cast<std::ptrdiff_t>(nearby.size() / 2), nearby.end());
        const double median = nearby[nearby.size() / 2];
        EXPECT_LT(column_step(s, seam), 3 * median + 6) << "scene " << k + 1;
    }
}

TEST_F(Scenes, EachSceneHasDepthAndDetail)
{
    ASSERT_EQ(scenes().size(), 10u);
    for (size_t k = 0; k < scenes().size(); ++k) {
        const Picture& s = scenes()[k];
        double sum = 0, sq = 0;
        for (size_t i = 0; i < s.rgba.size(); i += 4) {
            const double l = luminance(&s.rgba[i]);
            sum += l;
            sq += l * l;
        }
        const double n = s.width * s.height, mean = sum / n;
        EXPECT_GT(std::sqrt(sq / n - mean * mean), 18) << "scene " << k + 1 << " is nearly flat";
        int colours = 0;
        std::vector<bool> seen(1 << 15);
        for (size_t i = 0; i < s.rgba.size(); i += 4) {
            const size_t key = static_cast<size_t>((s.rgba[i] >> 3) << 10 | (s.rgba[i + 1] >> 3) << 5 | s.rgba[i + 2] >> 3);
            colours += !seen[key];
            seen[key] = true;
        }
        EXPECT_GT(colours, 500) << "scene " << k + 1 << " has too few colours";
    }
}

TEST_F(Scenes, EveryPairOfScenesDiffersClearly)
{
    ASSERT_EQ(scenes().size(), 10u);
    std::vector<std::array<double, 64>> hist;
    for (const Picture& s : scenes())
        hist.push_back(histogram(s));
    for (size_t i = 0; i < hist.size(); ++i) {
        for (size_t j = i + 1; j < hist.size(); ++j) {
            double distance = 0;
            for (size_t b = 0; b < 64; ++b)
                distance += std::fabs(hist[i][b] - hist[j][b]);
            EXPECT_GT(distance, 0.5) << "scenes " << i + 1 << " and " << j + 1 << " have too similar colours";
        }
    }
}

} // namespace
