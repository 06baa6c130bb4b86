// Every file of the data folder is there, in its format, at its exact pixel size, and decodes; the
// readme is self-contained and names what the user needs.
#include <gtest/gtest.h>

#include "picture.hpp"

using namespace data_test;

namespace {

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

}  // namespace
