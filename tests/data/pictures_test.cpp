// The committed pictures: every file in its format and size, the readme; the snowflake textures'
// colour key, frame grid and shapes; and the ten scenes as the show puts them together.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <iterator>

#include "show/scenes.h"

namespace {

// Full path of a file in the committed data folder.
std::string data_path(const std::string& name) { return std::string(BRISENFALL_DATA_DIR) + "/" + name; }

// The whole file; empty when it cannot be read.
std::vector<uint8_t> read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;  // straight alpha, rows top to bottom

  const uint8_t* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
  uint32_t argb(int x, int y) const {
    const uint8_t* p = at(x, y);
    return uint32_t{p[3]} << 24 | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
  }
};

// Decodes a JPEG, PNG or BMP file in the data folder through SDL2_image; a picture of size 0 when
// it cannot be read.
Picture load_picture(const std::string& name) {
  Picture pic;
  SDL_Surface* loaded = IMG_Load(data_path(name).c_str());
  SDL_Surface* rgba = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0) : nullptr;
  SDL_FreeSurface(loaded);
  if (!rgba) return pic;
  pic.width = rgba->w;
  pic.height = rgba->h;
  const auto* pixels = static_cast<const uint8_t*>(rgba->pixels);
  for (int y = 0; y < rgba->h; ++y)
    pic.rgba.insert(pic.rgba.end(), pixels + y * rgba->pitch, pixels + y * rgba->pitch + rgba->w * 4);
  SDL_FreeSurface(rgba);
  return pic;
}

// Every file of the data folder is there, in its format, at its exact pixel size, and decodes; the
// readme is self-contained and names what the user needs.

enum class Format { jpeg, png_rgba, png_rgb, bmp8 };

struct Expected {
  std::string name;
  Format format;
  int width, height;
};

// Width and height from the first start-of-frame marker; 0, 0 when there is none.
std::pair<int, int> jpeg_size(const std::vector<uint8_t>& b) {
  for (size_t i = 2; i + 9 < b.size() && b[i] == 0xFF; i += 2 + static_cast<size_t>(b[i + 2] << 8 | b[i + 3])) {
    const uint8_t marker = b[i + 1];
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      return {b[i + 7] << 8 | b[i + 8], b[i + 5] << 8 | b[i + 6]};
  }
  return {0, 0};
}

TEST(DataFolder, EveryFileHasItsFormatAndSizeAndDecodes) {
  std::vector<Expected> files = {{"sb1.png", Format::png_rgba, 32, 32},    {"gf1.png", Format::png_rgba, 125, 125},
                                 {"preview.bmp", Format::bmp8, 150, 112},  {"about.bmp", Format::bmp8, 150, 112},
                                 {"banner.png", Format::png_rgb, 500, 43}, {"separator.png", Format::png_rgb, 487, 3}};
  for (int i = 1; i <= 13; ++i) files.push_back({"f" + std::to_string(i) + ".jpg", Format::jpeg, 512, 480});
  for (int i = 1; i <= 12; ++i) files.push_back({"sf" + std::to_string(i) + ".png", Format::png_rgba, 64, 64});
  for (int size : {16, 32, 48, 256})
    files.push_back({"icon-" + std::to_string(size) + ".png", Format::png_rgba, size, size});
  for (const Expected& e : files) {
    SCOPED_TRACE(e.name);
    const std::vector<uint8_t> b = read_bytes(data_path(e.name));
    ASSERT_GT(b.size(), 64u) << "missing or too short";
    auto number = [&](size_t at, int size, bool big_endian) {
      uint32_t value = 0;
      for (int i = 0; i < size; ++i) value = value << 8 | b[at + static_cast<size_t>(big_endian ? i : size - 1 - i)];
      return value;
    };
    if (e.format == Format::jpeg) {
      EXPECT_TRUE(b[0] == 0xFF && b[1] == 0xD8);
      EXPECT_EQ(jpeg_size(b), std::make_pair(e.width, e.height));
    } else if (e.format == Format::bmp8) {
      EXPECT_TRUE(b[0] == 'B' && b[1] == 'M');
      EXPECT_EQ(number(14, 4, false), 40u) << "BITMAPINFOHEADER";
      EXPECT_EQ(number(18, 4, false), static_cast<uint32_t>(e.width));
      EXPECT_EQ(number(22, 4, false), static_cast<uint32_t>(e.height));
      EXPECT_EQ(number(28, 2, false), 8u) << "8 bits a pixel";
      EXPECT_EQ(number(30, 4, false), 0u) << "uncompressed";
      EXPECT_TRUE(number(46, 4, false) == 0 || number(46, 4, false) == 256) << "256 colours";
      EXPECT_EQ(number(10, 4, false), 54u + 1024) << "a 1024-byte palette between header and pixels";
      EXPECT_EQ(b.size(), 54u + 1024 + static_cast<size_t>((e.width + 3) / 4 * 4 * e.height));
    } else {
      EXPECT_EQ(std::string(b.begin(), b.begin() + 16), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
      EXPECT_EQ(number(16, 4, true), static_cast<uint32_t>(e.width));
      EXPECT_EQ(number(20, 4, true), static_cast<uint32_t>(e.height));
      EXPECT_EQ(b[24], 8) << "8 bits a channel";
      EXPECT_EQ(b[25], e.format == Format::png_rgba ? 6 : 2) << "colour type: 6 is RGBA, 2 is RGB";
    }
    const Picture pic = load_picture(e.name);
    EXPECT_EQ(std::make_pair(pic.width, pic.height), std::make_pair(e.width, e.height));
  }
}

TEST(Readme, IsSelfContainedHtmlThatNamesWhatTheUserNeeds) {
  const std::vector<uint8_t> b = read_bytes(data_path("readme.htm"));
  const std::string text(b.begin(), b.end());
  for (const char* needed : {"<html", "</html>", "Brisenfall Screensaver.yyz", "settings-store.ini",
                             "install_path=", "Software\\Tamsk Brisenfall Screensaver\\Config]", "screen1.bmp",
                             "fluid-soundfont-gm", "Install Path Not Found", ".mid", ".rmi"})
    EXPECT_NE(text.find(needed), std::string::npos) << needed;
  // No external resources: no linked style sheets, scripts, images or imports.
  for (const char* bad : {"<link", "<script", "<img", "@import", "url("})
    EXPECT_EQ(text.find(bad), std::string::npos) << bad;
}

// The snowflake textures: magenta exactly where nothing is drawn, white or ice-blue pixels with
// real alpha everywhere else, clear frame borders, the 62-pixel grid of the flake sheet, six-fold
// crystals that differ from one another, and a soft round common flake.

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

// The ten scenes as the show assembles them from the picture slices (its scene table's left and
// right parts): seamless inside, clearly different from one another, none flat.

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
