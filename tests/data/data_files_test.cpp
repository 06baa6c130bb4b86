// Every file of the data folder is there, in its format, at its exact pixel size, and decodes.
#include "picture.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace data_test;

namespace {

enum class Format { jpeg, png_rgba, png_rgb, bmp8 };

struct Expected {
    std::string name;
    Format format;
    int width, height;
};

std::vector<Expected> expected_files()
{
    std::vector<Expected> files;
    for (int i = 1; i <= 13; ++i)
        files.push_back({"f" + std::to_string(i) + ".jpg", Format::jpeg, 512, 480});
    files.push_back({"sb1.png", Format::png_rgba, 32, 32});
    for (int i = 1; i <= 12; ++i)
        files.push_back({"sf" + std::to_string(i) + ".png", Format::png_rgba, 64, 64});
    files.push_back({"gf1.png", Format::png_rgba, 125, 125});
    files.push_back({"preview.bmp", Format::bmp8, 150, 112});
    files.push_back({"about.bmp", Format::bmp8, 150, 112});
    files.push_back({"banner.png", Format::png_rgb, 500, 43});
    files.push_back({"separator.png", Format::png_rgb, 487, 3});
    for (int size : {16, 32, 48, 256})
        files.push_back({"icon-" + std::to_string(size) + ".png", Format::png_rgba, size, size});
    return files;
}

// Width and height from the first start-of-frame marker; 0, 0 when there is none.
std::pair<int, int> jpeg_size(const std::vector<uint8_t>& b)
{
    size_t i = 2;
    while (i + 9 < b.size() && b[i] == 0xFF) {
        uint8_t marker = b[i + 1];
        size_t length = static_cast<size_t>(b[i + 2] << 8 | b[i + 3]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return {b[i + 7] << 8 | b[i + 8], b[i + 5] << 8 | b[i + 6]};
        i += 2 + length;
    }
    return {0, 0};
}

void PrintTo(const Expected& e, std::ostream* os)
{
    *os << e.name;
}

class DataFile : public testing::TestWithParam<Expected> {};

TEST_P(DataFile, HasItsFormatAndSizeAndDecodes)
{
    const Expected& e = GetParam();
    const std::vector<uint8_t> b = read_bytes(data_path(e.name));
    ASSERT_GT(b.size(), 64u) << e.name << " is missing or too short";
    switch (e.format) {
    case Format::jpeg: {
        ASSERT_EQ(b[0], 0xFF);
        ASSERT_EQ(b[1], 0xD8);
        auto [w, h] = jpeg_size(b);
        EXPECT_EQ(w, e.width);
        EXPECT_EQ(h, e.height);
        break;
    }
    case Format::png_rgba:
    case Format::png_rgb: {
        const uint8_t signature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
        ASSERT_TRUE(std::equal(std::begin(signature), std::end(signature), b.begin()));
        ASSERT_EQ(std::string(b.begin() + 12, b.begin() + 16), "IHDR");
        EXPECT_EQ(be32(b, 16), static_cast<uint32_t>(e.width));
        EXPECT_EQ(be32(b, 20), static_cast<uint32_t>(e.height));
        EXPECT_EQ(b[24], 8) << "8 bits a channel";
        EXPECT_EQ(b[25], e.format == Format::png_rgba ? 6 : 2) << "colour type: 6 is RGBA, 2 is RGB";
        break;
    }
    case Format::bmp8: {
        ASSERT_EQ(b[0], 'B');
        ASSERT_EQ(b[1], 'M');
        EXPECT_EQ(le32(b, 14), 40u) << "BITMAPINFOHEADER";
        EXPECT_EQ(le32(b, 18), static_cast<uint32_t>(e.width));
        EXPECT_EQ(static_cast<int32_t>(le32(b, 22)), e.height);
        EXPECT_EQ(le16(b, 28), 8) << "8 bits a pixel";
        EXPECT_EQ(le32(b, 30), 0u) << "uncompressed";
        const uint32_t colours = le32(b, 46) == 0 ? 256 : le32(b, 46);
        EXPECT_EQ(colours, 256u);
        EXPECT_EQ(le32(b, 10) - 54, 1024u) << "a 1024-byte palette between header and pixels";
        EXPECT_EQ(b.size(), le32(b, 10) + static_cast<size_t>((e.width + 3) / 4 * 4) * static_cast<size_t>(e.height));
        break;
    }
    }
    const Picture pic = load_picture(data_path(e.name));
    EXPECT_EQ(pic.width, e.width);
    EXPECT_EQ(pic.height, e.height);
}

INSTANTIATE_TEST_SUITE_P(DataFolder, DataFile, testing::ValuesIn(expected_files()),
                         [](const testing::TestParamInfo<Expected>& param) {
                             std::string n = param.param.name;
                             for (char& c : n)
                                 if (!isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return n;
                         });

TEST(Readme, IsSelfContainedHtmlThatNamesWhatTheUserNeeds)
{
    const std::vector<uint8_t> b = read_bytes(data_path("readme.htm"));
    const std::string text(b.begin(), b.end());
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.find("<html"), std::string::npos);
    EXPECT_NE(text.find("</html>"), std::string::npos);
    // No external resources: no linked style sheets, scripts, images or imports.
    for (const char* bad : {"<link", "<script", "<img", "@import", "url("})
        EXPECT_EQ(text.find(bad), std::string::npos) << bad;
    for (const char* needed : {"Brisenfall Screensaver.yyz", "settings-store.ini", "install_path=",
                               "Software\\Tamsk Brisenfall Screensaver\\Config]", "screen1.bmp", "fluid-soundfont-gm",
                               "Install Path Not Found", ".mid", ".rmi"})
        EXPECT_NE(text.find(needed), std::string::npos) << needed;
}

} // namespace
