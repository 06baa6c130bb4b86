// Seeded random numbers and smooth value noise (1D and 2D, with fractal sums), so every picture
// comes out the same from the same seed on every machine.
#pragma once

#include <cstdint>

namespace paint {

// SplitMix64: small, fast and the same everywhere (unlike the standard distributions).
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next();
    double uniform();                      // [0, 1)
    double range(double lo, double hi);    // [lo, hi)
    int below(int n);                      // 0 .. n-1
    bool chance(double p) { return uniform() < p; }

private:
    uint64_t state_;
};

// Value noise in -1..1 with smooth interpolation; integer lattice, one seed per layer.
double noise1(double x, uint32_t seed);
double noise2(double x, double y, uint32_t seed);

// Fractal sums: octaves of noise, each twice the frequency and `gain` times the amplitude
// of the one before, normalised back to about -1..1.
double fbm1(double x, uint32_t seed, int octaves, double gain = 0.5);
double fbm2(double x, double y, uint32_t seed, int octaves, double gain = 0.5);

// Ridged fractal noise in 0..1: sharp crests where the noise crosses zero.
double ridged1(double x, uint32_t seed, int octaves);

} // namespace paint
