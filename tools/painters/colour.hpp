// Colours as linear 0..1 RGB triples and the few operations the painters need on them.
#pragma once

#include <algorithm>
#include <cstdint>

namespace paint {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

// 0xRRGGBB to a colour.
constexpr Rgb hex(uint32_t v)
{
    return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}

constexpr Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

constexpr Rgb scale(Rgb a, double k)
{
    return {a.r * k, a.g * k, a.b * k};
}

inline double clamp01(double v)
{
    return std::clamp(v, 0.0, 1.0);
}

// Hermite smoothstep between e0 and e1.
inline double smooth(double e0, double e1, double x)
{
    double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

} // namespace paint
