// The snowflake textures: magenta exactly where nothing is drawn, white or ice-blue pixels with
// real alpha everywhere else, clear frame borders, the 62-pixel grid of the flake sheet, six-fold
// crystals that differ from one another, and a soft round common flake.
#include "picture.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace data_test;

namespace {

constexpr uint32_t magenta = 0xFFFF00FF;

// One frame of a texture: the whole file, or one cell of the flake sheet.
struct Frame {
    std::string name;
    Picture pic;
    int x0, y0, size;

    // Alpha as the show sees it: the magenta key is fully transparent.
    double alpha(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= size || y >= size)
            return 0;
        return pic.argb(x0 + x, y0 + y) == magenta ? 0 : pic.at(x0 + x, y0 + y)[3];
    }
};

std::vector<std::string> flake_files()
{
    std::vector<std::string> names = {"sb1.png", "gf1.png"};
    for (int i = 1; i <= 12; ++i)
        names.push_back("sf" + std::to_string(i) + ".png");
    return names;
}

// The twelve single crystals, then the four frames of the sheet (column, row order: 0,0 1,0 0,1 1,1).
std::vector<Frame> crystal_frames()
{
    std::vector<Frame> frames;
    for (int i = 1; i <= 12; ++i) {
        std::string name = "sf" + std::to_string(i) + ".png";
        frames.push_back({name, load_picture(data_path(name)), 0, 0, 64});
    }
    const Picture sheet = load_picture(data_path("gf1.png"));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col)
            frames.push_back({"gf1.png frame " + std::to_string(col) + "," + std::to_string(row), sheet, col * 63,
                              row * 63, 62});
    return frames;
}

bool white_or_ice_blue(const uint8_t* p)
{
    return p[2] >= 250 && p[1] >= 215 && p[0] >= 185 && p[0] <= p[1] && p[1] <= p[2];
}

// Alpha sampled between pixels, for comparing a frame with itself turned.
double alpha_between(const Frame& f, double x, double y)
{
    const double fx = std::floor(x - 0.5), fy = std::floor(y - 0.5);
    const double tx = x - 0.5 - fx, ty = y - 0.5 - fy;
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    return (f.alpha(ix, iy) * (1 - tx) + f.alpha(ix + 1, iy) * tx) * (1 - ty) +
           (f.alpha(ix, iy + 1) * (1 - tx) + f.alpha(ix + 1, iy + 1) * tx) * ty;
}

// How much the frame changes when turned by `degrees` about its centre, relative to its total alpha.
double turn_mismatch(const Frame& f, double degrees)
{
    const double a = degrees * M_PI / 180, c = f.size / 2.0;
    double diff = 0, total = 0;
    for (int y = 0; y < f.size; ++y) {
        for (int x = 0; x < f.size; ++x) {
            const double dx = x + 0.5 - c, dy = y + 0.5 - c;
            const double rx = c + dx * std::cos(a) - dy * std::sin(a), ry = c + dx * std::sin(a) + dy * std::cos(a);
            diff += std::fabs(f.alpha(x, y) - alpha_between(f, rx, ry));
            total += f.alpha(x, y);
        }
    }
    return diff / total;
}

TEST(FlakeTextures, MagentaExactlyWhereTransparentAndVisiblePixelsWhiteOrIceBlue)
{
    for (const std::string& name : flake_files()) {
        SCOPED_TRACE(name);
        const Picture pic = load_picture(data_path(name));
        ASSERT_GT(pic.width, 0);
        int keyed = 0, partial = 0, visible = 0, wrong = 0;
        for (int y = 0; y < pic.height; ++y) {
            for (int x = 0; x < pic.width; ++x) {
                const uint8_t* p = pic.at(x, y);
                if (pic.argb(x, y) == magenta) {
                    ++keyed;
                    continue;
                }
                // A pixel that is not the key must be visible, and white or ice-blue however faint.
                if (p[3] == 0 || !white_or_ice_blue(p))
                    ++wrong;
                ++visible;
                if (p[3] < 255)
                    ++partial;
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels that are neither the key nor white or ice-blue with alpha";
        EXPECT_GT(keyed, pic.width * pic.height / 4);
        EXPECT_GT(visible, 60);
        EXPECT_GT(partial, visible / 4) << "edges and bodies should be translucent, not cut out";
    }
}

TEST(FlakeTextures, FrameBordersStayTransparent)
{
    std::vector<Frame> frames = crystal_frames();
    frames.push_back({"sb1.png", load_picture(data_path("sb1.png")), 0, 0, 32});
    for (const Frame& f : frames) {
        SCOPED_TRACE(f.name);
        ASSERT_GT(f.pic.width, 0);
        int touching = 0;
        for (int i = 0; i < f.size; ++i)
            touching += (f.alpha(i, 0) > 0) + (f.alpha(i, f.size - 1) > 0) + (f.alpha(0, i) > 0) +
                        (f.alpha(f.size - 1, i) > 0);
        EXPECT_EQ(touching, 0) << "visible pixels on the frame's outer edge";
    }
}

TEST(FlakeTextures, SheetHasFourFramesOnA62PixelGridWithOnePixelGap)
{
    const Picture sheet = load_picture(data_path("gf1.png"));
    ASSERT_EQ(sheet.width, 125);
    ASSERT_EQ(sheet.height, 125);
    for (int i = 0; i < 125; ++i) {
        EXPECT_EQ(sheet.argb(62, i), magenta) << "gap column, row " << i;
        EXPECT_EQ(sheet.argb(i, 62), magenta) << "gap row, column " << i;
    }
    for (const Frame& f : crystal_frames()) {
        if (f.size != 62)
            continue;
        double total = 0;
        for (int y = 0; y < f.size; ++y)
            for (int x = 0; x < f.size; ++x)
                total += f.alpha(x, y);
        EXPECT_GT(total, 255.0 * 150) << f.name << " is empty or nearly so";
    }
}

TEST(FlakeTextures, CrystalsAreSixFoldAboutTheFrameCentre)
{
    for (const Frame& f : crystal_frames()) {
        SCOPED_TRACE(f.name);
        // Turning by 60 degrees leaves a six-fold crystal nearly unchanged; turning by 30 does not
        // (every crystal has arms or corners that a 30-degree turn moves onto empty space).
        const double by60 = turn_mismatch(f, 60), by30 = turn_mismatch(f, 30);
        EXPECT_LT(by60, 0.2);
        EXPECT_GT(by30, by60 * 1.5);
    }
}

TEST(FlakeTextures, CrystalsDifferFromOneAnother)
{
    const std::vector<Frame> frames = crystal_frames();
    // Compare on a common 62-pixel square around each centre.
    auto sample = [](const Frame& f, int x, int y) { return f.alpha(x + (f.size - 62) / 2, y + (f.size - 62) / 2); };
    for (size_t i = 0; i < frames.size(); ++i) {
        for (size_t j = i + 1; j < frames.size(); ++j) {
            int differing = 0;
            for (int y = 0; y < 62; ++y)
                for (int x = 0; x < 62; ++x)
                    differing += std::fabs(sample(frames[i], x, y) - sample(frames[j], x, y)) > 96;
            EXPECT_GT(differing, 62 * 62 / 25) << frames[i].name << " and " << frames[j].name << " look alike";
        }
    }
}

TEST(FlakeTextures, CommonFlakeIsASoftRoundDot)
{
    Frame f{"sb1.png", load_picture(data_path("sb1.png")), 0, 0, 32};
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
    EXPECT_GT(f.alpha(24, 16), f.alpha(28, 16));
    EXPECT_GT(f.alpha(20, 16), f.alpha(24, 16));
    EXPECT_GT(f.alpha(27, 16), 0) << "the falloff reaches close to the edge: a soft dot, not a small disc";
}

} // namespace
