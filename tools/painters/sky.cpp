// Stars, moon, sun, clouds, the Milky Way and aurora.
#include "sky.hpp"

#include <cmath>
#include <vector>

namespace paint {

namespace {

void star(Pixels& px, double x, double y, double b, Rgb tint)
{
    auto ix = static_cast<int>(x), iy = static_cast<int>(y);
    px.add(ix, iy, tint, b);
    if (b > 0.75) {
        // Bright stars: a cross of dimmer neighbours and a small halo drawn later with Cairo.
        px.add(ix - 1, iy, tint, b * 0.35);
        px.add(ix + 1, iy, tint, b * 0.35);
        px.add(ix, iy - 1, tint, b * 0.35);
        px.add(ix, iy + 1, tint, b * 0.35);
    }
}

Rgb star_tint(Rng& rng)
{
    double t = rng.uniform();
    if (t < 0.15)
        return hex(0xFFE6C8);   // warm
    if (t < 0.45)
        return hex(0xCFE0FF);   // blue-white
    return hex(0xFFFFFF);
}

} // namespace

void stars(Canvas& canvas, Rng& rng, double horizon, int count, double brightness)
{
    struct Bright {
        double x, y, b;
        Rgb tint;
    };
    std::vector<Bright> bright;
    {
        Pixels px(canvas);
        int clusters = count / 60 + 1;
        for (int i = 0; i < count; ++i) {
            double x, y;
            if (i % 4 == 0 && clusters > 0) {
                // Every fourth star falls near one of a few cluster centres.
                Rng local(static_cast<uint64_t>(i % clusters) * 7919u + 17u);
                double cx = local.range(0, canvas.width()), cy = local.range(0, horizon * 0.8);
                x = cx + (rng.uniform() - 0.5) * 90;
                y = cy + (rng.uniform() - 0.5) * 50;
            } else {
                x = rng.range(0, canvas.width());
                y = rng.range(0, horizon);
            }
            double u = rng.uniform();
            double b = 0.12 + 0.5 * u * u * u * u + (u > 0.985 ? 0.5 : 0.0);
            b *= brightness * smooth(horizon, horizon * 0.55, y);
            Rgb tint = star_tint(rng);
            if (y < 0 || y >= horizon || x < 0 || x >= canvas.width())
                continue;
            star(px, x, y, b, tint);
            if (b > 0.75)
                bright.push_back({x + 0.5, y + 0.5, b, tint});
        }
    }
    for (const Bright& s : bright)
        glow(canvas.cr(), s.x, s.y, 4 + 4 * s.b, s.tint, 0.25 * s.b);
}

void moon(Canvas& canvas, double x, double y, double radius, Rgb colour, double halo_radius, double halo_alpha)
{
    cairo_t* cr = canvas.cr();
    glow(cr, x, y, halo_radius, colour, halo_alpha);
    glow(cr, x, y, radius * 2.6, colour, halo_alpha * 1.6);
    Pixels px(canvas);
    for (int py = static_cast<int>(y - radius - 2); py <= static_cast<int>(y + radius + 2); ++py) {
        for (int pxx = static_cast<int>(x - radius - 2); pxx <= static_cast<int>(x + radius + 2); ++pxx) {
            double dx = pxx + 0.5 - x, dy = py + 0.5 - y;
            double d = std::sqrt(dx * dx + dy * dy);
            double cover = clamp01(radius + 0.5 - d);
            if (cover <= 0)
                continue;
            double maria = fbm2(dx / radius * 2.2 + 3, dy / radius * 2.2 + 7, 4242, 4);
            double limb = 1.0 - 0.18 * std::pow(d / radius, 3);
            double shade = (0.93 - 0.14 * smooth(0.0, 0.5, maria)) * limb;
            px.blend(pxx, py, scale(colour, shade), cover);
        }
    }
}

void sun(cairo_t* cr, double x, double y, double radius, Rgb core, Rgb halo, double halo_radius)
{
    glow(cr, x, y, halo_radius, halo, 0.55);
    glow(cr, x, y, halo_radius * 0.35, halo, 0.6);
    glow(cr, x, y, radius * 2.2, core, 0.9);
    cairo_set_source_rgb(cr, core.r, core.g, core.b);
    cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
    cairo_fill(cr);
}

void clouds(Canvas& canvas, const Clouds& c)
{
    Pixels px(canvas);
    int y0 = std::max(0, static_cast<int>(c.y0)), y1 = std::min(canvas.height(), static_cast<int>(c.y1));
    for (int y = y0; y < y1; ++y) {
        double band = smooth(c.y0, c.y0 + (c.y1 - c.y0) * 0.3, y) * smooth(c.y1, c.y1 - (c.y1 - c.y0) * 0.3, y);
        for (int x = 0; x < canvas.width(); ++x) {
            double n = fbm2(x / c.stretch, y / (c.stretch * 0.28), c.seed, 6);
            double d = smooth(1.0 - c.cover * 1.4, 1.0 - c.cover * 1.4 + 0.6, n * 0.5 + 0.5 + 0.2) * band;
            if (d <= 0.002)
                continue;
            // Lit tops, shaded bellies: the noise a little higher up decides the shading.
            double above = fbm2(x / c.stretch, (y - 6) / (c.stretch * 0.28), c.seed, 4);
            Rgb col = mix(c.shade, c.lit, smooth(-0.3, 0.4, n - above + 0.1));
            px.blend(x, y, col, d * c.alpha);
        }
    }
}

void milky_way(Canvas& canvas, Rng& rng, double x0, double y0, double x1, double y1, double width, double strength)
{
    double dx = x1 - x0, dy = y1 - y0, len = std::sqrt(dx * dx + dy * dy);
    double nx = -dy / len, ny = dx / len;
    {
        Pixels px(canvas);
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                double across = (x - x0) * nx + (y - y0) * ny;
                double along = ((x - x0) * dx + (y - y0) * dy) / len;
                double w = width * (0.8 + 0.35 * fbm1(along / 160, 311, 3));
                double core = std::exp(-across * across / (w * w));
                if (core < 0.01)
                    continue;
                double cloud = fbm2(x / 70.0, y / 70.0, 77, 5) * 0.5 + 0.5;
                double dust = smooth(0.55, 0.75, fbm2(x / 40.0 + 9, y / 40.0, 91, 5) * 0.5 + 0.5);
                double light = core * (0.25 + 0.75 * cloud) * (1 - 0.7 * dust * smooth(0.2, 0.8, core));
                px.add(x, y, mix(hex(0xB9C4E8), hex(0xE8D9F0), cloud), strength * light);
            }
        }
        // Dense faint stars inside the band.
        for (int i = 0; i < 2600; ++i) {
            double t = rng.uniform();
            double off = (rng.uniform() + rng.uniform() + rng.uniform() - 1.5) * width * 0.9;
            double x = x0 + dx * t + nx * off, y = y0 + dy * t + ny * off;
            double b = (0.08 + 0.25 * std::pow(rng.uniform(), 3)) * (0.5 + 2 * strength);
            px.add(static_cast<int>(x), static_cast<int>(y), hex(0xF2F0FF), b);
        }
    }
}

void aurora(Canvas& canvas, const Aurora& a)
{
    Pixels px(canvas);
    for (int x = 0; x < canvas.width(); ++x) {
        // The curtain's lower edge wanders; its brightness varies along x in folds and fine rays.
        double edge = a.base + a.sway * fbm1(x / 220.0, a.seed, 4);
        double folds = smooth(-0.35, 0.6, fbm1(x / 90.0, a.seed + 5, 3));
        double rays = 0.55 + 0.45 * (fbm1(x / 3.5, a.seed + 9, 3) * 0.5 + 0.5);
        double reach = a.height * (0.6 + 0.6 * (fbm1(x / 130.0, a.seed + 13, 3) * 0.5 + 0.5));
        double k = folds * rays * a.strength;
        if (k <= 0.001)
            continue;
        int ytop = std::max(0, static_cast<int>(edge - reach * 1.6));
        int ybottom = std::min(canvas.height() - 1, static_cast<int>(edge + 10));
        for (int y = ytop; y <= ybottom; ++y) {
            double up = edge - y;   // distance above the lower edge
            double v = up < 0 ? std::exp(-up * up / 18.0) : std::exp(-up / reach);
            double t = clamp01(up / (reach * 1.3));
            Rgb col = mix(a.low, a.high, t * t);
            px.add(x, y, col, k * v);
        }
    }
}

void falling_snow(Canvas& canvas, Rng& rng, int count, Rgb colour)
{
    cairo_t* cr = canvas.cr();
    for (int i = 0; i < count; ++i) {
        double x = rng.range(0, canvas.width()), y = rng.range(0, canvas.height());
        double size = 0.6 + 3.2 * std::pow(rng.uniform(), 3);
        double a = rng.range(0.25, 0.85);
        glow(cr, x, y, size * 1.8, colour, a);
    }
}

} // namespace paint
