// Canvas, pixel access, gradients and the photographic finish.
#include "canvas.hpp"

#include "noise.hpp"

#include <cmath>
#include <stdexcept>

namespace paint {

Canvas::Canvas(int width, int height, cairo_format_t format)
    : surface_(cairo_image_surface_create(format, width, height)), cr_(nullptr), width_(width), height_(height)
{
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot create a Cairo image surface");
    cr_ = cairo_create(surface_);
}

Canvas::~Canvas()
{
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

Pixels::Pixels(Canvas& canvas)
    : surface_(canvas.surface()), data_(nullptr), width_(canvas.width()), height_(canvas.height()),
      stride_(cairo_image_surface_get_stride(canvas.surface()))
{
    cairo_surface_flush(surface_);
    data_ = cairo_image_surface_get_data(surface_);
}

Pixels::~Pixels()
{
    cairo_surface_mark_dirty(surface_);
}

namespace {

uint32_t channel(double v)
{
    return static_cast<uint32_t>(std::lround(clamp01(v) * 255.0));
}

} // namespace

Rgb Pixels::get(int x, int y) const
{
    uint32_t p = at(x, y);
    return {((p >> 16) & 0xFF) / 255.0, ((p >> 8) & 0xFF) / 255.0, (p & 0xFF) / 255.0};
}

void Pixels::set(int x, int y, Rgb c)
{
    at(x, y) = 0xFF000000u | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

void Pixels::blend(int x, int y, Rgb c, double alpha)
{
    if (!inside(x, y) || alpha <= 0)
        return;
    set(x, y, mix(get(x, y), c, clamp01(alpha)));
}

void Pixels::add(int x, int y, Rgb c, double amount)
{
    if (!inside(x, y) || amount <= 0)
        return;
    Rgb p = get(x, y);
    // Screen blend: adds light without clipping hard to white.
    set(x, y, {1 - (1 - p.r) * (1 - c.r * amount), 1 - (1 - p.g) * (1 - c.g * amount),
               1 - (1 - p.b) * (1 - c.b * amount)});
}

cairo_pattern_t* linear_gradient(double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    for (const Stop& s : stops)
        cairo_pattern_add_color_stop_rgba(p, s.at, s.colour.r, s.colour.g, s.colour.b, s.alpha);
    return p;
}

void fill_vertical(cairo_t* cr, double x, double y, double w, double h, double y0, double y1,
                   std::initializer_list<Stop> stops)
{
    cairo_pattern_t* p = linear_gradient(0, y0, 0, y1, stops);
    cairo_rectangle(cr, x, y, w, h);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void glow(cairo_t* cr, double x, double y, double radius, Rgb colour, double alpha)
{
    glow_ellipse(cr, x, y, radius, 1.0, colour, alpha);
}

void glow_ellipse(cairo_t* cr, double x, double y, double radius, double ratio, Rgb colour, double alpha)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, ratio, 1.0);
    cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, radius);
    // Roughly a Gaussian: a soft halo with no visible rim.
    for (int i = 0; i <= 8; ++i) {
        double t = i / 8.0;
        cairo_pattern_add_color_stop_rgba(p, t, colour.r, colour.g, colour.b, alpha * std::exp(-4.5 * t * t) * (1 - t));
    }
    cairo_set_source(cr, p);
    cairo_arc(cr, 0, 0, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void finish(Canvas& canvas, uint64_t seed, double levels, double vignette)
{
    Pixels px(canvas);
    Rng rng(seed);
    const double cx = px.width() / 2.0, cy = px.height() / 2.0;
    const double rmax = std::sqrt(cx * cx + cy * cy);
    for (int y = 0; y < px.height(); ++y) {
        for (int x = 0; x < px.width(); ++x) {
            double dx = (x - cx) / rmax, dy = (y - cy) / rmax;
            double d2 = dx * dx + dy * dy;
            double v = 1.0 - vignette * smooth(0.15, 1.0, d2);
            double g = (rng.uniform() + rng.uniform() - 1.0) * levels / 255.0;
            Rgb c = px.get(x, y);
            px.set(x, y, {c.r * v + g, c.g * v + g, c.b * v + g});
        }
    }
}

} // namespace paint
