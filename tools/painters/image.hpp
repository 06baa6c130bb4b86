// Plain RGBA images (straight, not premultiplied alpha) and the file writers the data needs:
// JPEG slices, PNG with alpha or the magenta colour key, and 8-bit palette BMP.
#pragma once

#include <cairo.h>
#include <cstdint>
#include <string>
#include <vector>

namespace paint {

struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;   // 4 bytes a pixel, rows top to bottom

    Image() = default;
    Image(int w, int h) : width(w), height(h), rgba(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, 0) {}
    uint8_t* at(int x, int y) { return &rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4]; }
    const uint8_t* at(int x, int y) const
    {
        return &rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4];
    }
};

// Copies a Cairo image surface, undoing Cairo's premultiplied alpha.
Image from_surface(cairo_surface_t* surface);

// A new Cairo ARGB32 surface holding the image (premultiplied again); the caller destroys it.
cairo_surface_t* to_surface(const Image& image);

// The rectangle x, y, w, h of the image; parts outside it come out opaque black.
Image crop(const Image& image, int x, int y, int w, int h);

// Places `part` into `into` with its top-left corner at x, y.
void paste(Image& into, const Image& part, int x, int y);

// Every pixel with alpha 0 becomes opaque magenta (0xFFFF00FF), the show's transparent colour.
void key_transparent(Image& image);

// Writers; each throws std::runtime_error naming the file when it cannot be written.
void write_jpeg(const std::string& path, const Image& image, int quality);
void write_png(const std::string& path, const Image& image, bool with_alpha);
void write_bmp8(const std::string& path, const Image& image);

} // namespace paint
