// Random numbers and value noise for the painters.
#include "noise.hpp"

#include <cmath>

namespace paint {

uint64_t Rng::next()
{
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform()
{
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

double Rng::range(double lo, double hi)
{
    return lo + (hi - lo) * uniform();
}

int Rng::below(int n)
{
    return static_cast<int>(uniform() * n);
}

namespace {

uint32_t hash(int32_t x, int32_t y, uint32_t seed)
{
    uint32_t h = seed * 0x27D4EB2Du;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = (h ^ (h >> 15)) * 0xC2B2AE35u;
    h ^= static_cast<uint32_t>(y) * 0x165667B1u;
    h = (h ^ (h >> 13)) * 0x9E3779B1u;
    return h ^ (h >> 16);
}

// Lattice value in -1..1.
double lattice(int32_t x, int32_t y, uint32_t seed)
{
    return hash(x, y, seed) / 2147483647.5 - 1.0;
}

double fade(double t)
{
    return t * t * t * (t * (t * 6 - 15) + 10);
}

} // namespace

double noise1(double x, uint32_t seed)
{
    double fx = std::floor(x);
    auto ix = static_cast<int32_t>(fx);
    double t = fade(x - fx);
    double a = lattice(ix, 0, seed);
    double b = lattice(ix + 1, 0, seed);
    return a + (b - a) * t;
}

double noise2(double x, double y, uint32_t seed)
{
    double fx = std::floor(x), fy = std::floor(y);
    auto ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
    double tx = fade(x - fx), ty = fade(y - fy);
    double a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    double c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    double top = a + (b - a) * tx;
    double bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double fbm1(double x, uint32_t seed, int octaves, double gain)
{
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * noise1(x, seed + 101u * static_cast<uint32_t>(i));
        norm += amp;
        amp *= gain;
        x *= 2.03;
    }
    return sum / norm;
}

double fbm2(double x, double y, uint32_t seed, int octaves, double gain)
{
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * noise2(x, y, seed + 101u * static_cast<uint32_t>(i));
        norm += amp;
        amp *= gain;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / norm;
}

double ridged1(double x, uint32_t seed, int octaves)
{
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        double n = 1.0 - std::fabs(noise1(x, seed + 977u * static_cast<uint32_t>(i)));
        sum += amp * n * n;
        norm += amp;
        amp *= 0.5;
        x *= 2.1;
    }
    return sum / norm;
}

} // namespace paint
