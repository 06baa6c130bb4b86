// Image copies and the JPEG, PNG and BMP writers.
#include "image.hpp"

#include "quantize.hpp"

#include <cstdio>
#include <jpeglib.h>
#include <memory>
#include <png.h>
#include <stdexcept>

namespace paint {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File open_for_writing(const std::string& path)
{
    File f(std::fopen(path.c_str(), "wb"));
    if (!f)
        throw std::runtime_error("cannot write " + path);
    return f;
}

void finish_file(File f, const std::string& path)
{
    if (std::ferror(f.get()) || std::fclose(f.release()) != 0)
        throw std::runtime_error("error while writing " + path);
}

} // namespace

Image from_surface(cairo_surface_t* surface)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const bool has_alpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    Image img(w, h);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) {
            uint32_t p = row[x];
            uint32_t a = has_alpha ? p >> 24 : 255;
            uint8_t* o = img.at(x, y);
            for (int c = 0; c < 3; ++c) {
                uint32_t v = (p >> (16 - 8 * c)) & 0xFF;
                o[c] = static_cast<uint8_t>(a == 0 ? 0 : std::min<uint32_t>(255, (v * 255 + a / 2) / a));
            }
            o[3] = static_cast<uint8_t>(a);
        }
    }
    return img;
}

cairo_surface_t* to_surface(const Image& image)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.at(x, y);
            uint32_t a = p[3];
            auto pre = [a](uint32_t v) { return (v * a + 127) / 255; };
            row[x] = a << 24 | pre(p[0]) << 16 | pre(p[1]) << 8 | pre(p[2]);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

Image crop(const Image& image, int x0, int y0, int w, int h)
{
    Image out(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int sx = x0 + x, sy = y0 + y;
            uint8_t* o = out.at(x, y);
            if (sx < 0 || sy < 0 || sx >= image.width || sy >= image.height) {
                o[0] = o[1] = o[2] = 0;
                o[3] = 255;
                continue;
            }
            const uint8_t* s = image.at(sx, sy);
            std::copy(s, s + 4, o);
        }
    }
    return out;
}

void paste(Image& into, const Image& part, int x0, int y0)
{
    for (int y = 0; y < part.height; ++y)
        for (int x = 0; x < part.width; ++x) {
            const uint8_t* s = part.at(x, y);
            std::copy(s, s + 4, into.at(x0 + x, y0 + y));
        }
}

void key_transparent(Image& image)
{
    for (size_t i = 0; i < image.rgba.size(); i += 4) {
        if (image.rgba[i + 3] == 0) {
            image.rgba[i] = 255;
            image.rgba[i + 1] = 0;
            image.rgba[i + 2] = 255;
            image.rgba[i + 3] = 255;
        }
    }
}

void write_jpeg(const std::string& path, const Image& image, int quality)
{
    File f = open_for_writing(path);
    jpeg_compress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, f.get());
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(image.width) * 3);
    while (info.next_scanline < info.image_height) {
        const auto y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < image.width; ++x)
            std::copy(image.at(x, y), image.at(x, y) + 3, &row[static_cast<size_t>(x) * 3]);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    finish_file(std::move(f), path);
}

void write_png(const std::string& path, const Image& image, bool with_alpha)
{
    File f = open_for_writing(path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        throw std::runtime_error("error while writing " + path);
    }
    png_init_io(png, f.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 with_alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    if (!with_alpha)
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, image.at(0, y));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    finish_file(std::move(f), path);
}

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

void write_bmp8(const std::string& path, const Image& image)
{
    const Palette pal = median_cut(image, 256);
    const auto w = static_cast<uint32_t>(image.width), h = static_cast<uint32_t>(image.height);
    const uint32_t row_size = (w + 3) & ~3u;
    const uint32_t offset = 14 + 40 + 256 * 4;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + row_size * h);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);        // BITMAPINFOHEADER
    put32(out, w);
    put32(out, h);         // positive: rows stored bottom-up
    put16(out, 1);
    put16(out, 8);
    put32(out, 0);         // no compression
    put32(out, row_size * h);
    put32(out, 3780);      // 96 dots per inch
    put32(out, 3780);
    put32(out, 256);
    put32(out, 0);
    for (size_t i = 0; i < 256; ++i) {
        const auto& c = i < pal.size() ? pal[i] : std::array<uint8_t, 3>{0, 0, 0};
        out.push_back(c[2]);
        out.push_back(c[1]);
        out.push_back(c[0]);
        out.push_back(0);
    }
    const std::vector<uint8_t> indices = map_to_palette(image, pal);
    for (uint32_t y = h; y-- > 0;) {
        for (uint32_t x = 0; x < row_size; ++x)
            out.push_back(x < w ? indices[y * w + x] : 0);
    }
    File f = open_for_writing(path);
    std::fwrite(out.data(), 1, out.size(), f.get());
    finish_file(std::move(f), path);
}

} // namespace paint
