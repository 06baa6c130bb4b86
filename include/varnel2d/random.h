// The one process-wide random generator (xoshiro256**). Reseeding from the clock mixes the clock
// into the running state, so draws within one millisecond still differ.
#pragma once

#include <cstdint>

namespace varnel2d {

// A uniform draw in [0, 1).
double random_unit();

// Mixes a value into the generator's running state: a reseed that keeps what came before, so
// reseeding with a value drawn from the generator itself does not fall into a short cycle.
void random_mix(uint64_t value);

// Mixes the current high-resolution clock into the generator's state.
void random_reseed_from_clock();

// Restarts the generator from a fixed seed. Draws that reseed from the clock (lib_getnumber) still
// mix in the real time, so a seed alone does not make them repeat.
void random_seed(uint64_t seed);

}  // namespace varnel2d
