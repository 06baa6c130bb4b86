// A Cairo image surface with its drawing context, direct pixel access, gradient helpers and
// the photographic finish (film grain and vignette) every scene ends with.
#pragma once

#include "colour.hpp"

#include <cairo.h>
#include <cstdint>
#include <initializer_list>

namespace paint {

class Canvas {
public:
    // RGB24 for opaque pictures, ARGB32 for artwork with transparency.
    Canvas(int width, int height, cairo_format_t format = CAIRO_FORMAT_RGB24);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    cairo_surface_t* surface_;
    cairo_t* cr_;
    int width_, height_;
};

// Direct access to an opaque canvas's pixels; Cairo sees the changes when this goes away.
class Pixels {
public:
    explicit Pixels(Canvas& canvas);
    ~Pixels();
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Rgb get(int x, int y) const;
    void set(int x, int y, Rgb c);
    void blend(int x, int y, Rgb c, double alpha);   // paint over with coverage alpha
    void add(int x, int y, Rgb c, double amount);    // light added on top (glows, aurora)

private:
    uint32_t& at(int x, int y) { return *reinterpret_cast<uint32_t*>(data_ + y * stride_ + x * 4); }
    const uint32_t& at(int x, int y) const
    {
        return *reinterpret_cast<const uint32_t*>(data_ + y * stride_ + x * 4);
    }

    cairo_surface_t* surface_;
    unsigned char* data_;
    int width_, height_, stride_;
};

struct Stop {
    double at;
    Rgb colour;
    double alpha = 1.0;
};

// A linear gradient from (x0, y0) to (x1, y1); the caller destroys it.
cairo_pattern_t* linear_gradient(double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops);

// Fills the rectangle with a vertical gradient whose stops run from y0 to y1.
void fill_vertical(cairo_t* cr, double x, double y, double w, double h, double y0, double y1,
                   std::initializer_list<Stop> stops);

// A round glow of the colour, strongest at the centre and falling smoothly to nothing at radius.
void glow(cairo_t* cr, double x, double y, double radius, Rgb colour, double alpha);

// A glow stretched horizontally (ratio > 1) or vertically (ratio < 1).
void glow_ellipse(cairo_t* cr, double x, double y, double radius, double ratio, Rgb colour, double alpha);

// Film grain of about `levels` steps and a vignette darkening the corners by `vignette` (0..1).
void finish(Canvas& canvas, uint64_t seed, double levels, double vignette);

} // namespace paint
