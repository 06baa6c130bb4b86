// xoshiro256** with splitmix64 seeding; clock reseeds are mixed in, never replace the state.
#include <varnel2d/random.h>

#include <chrono>

namespace varnel2d {
namespace {

uint64_t splitmix64(uint64_t& x) {
  uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

uint64_t rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

struct generator_state {
  uint64_t s[4];
  generator_state() { seed(0x42726973656E66ULL); }
  void seed(uint64_t value) {
    for (uint64_t& word : s) word = splitmix64(value);
  }
  uint64_t next() {
    const uint64_t result = rotl(s[1] * 5, 7) * 9;
    const uint64_t t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = rotl(s[3], 45);
    return result;
  }
};

generator_state& state() {
  static generator_state generator;
  return generator;
}

}  // namespace

double random_unit() { return static_cast<double>(state().next() >> 11) * 0x1.0p-53; }

void random_mix(uint64_t value) {
  generator_state& g = state();
  g.s[0] ^= splitmix64(value);
  g.next();
}

void random_reseed_from_clock() {
  random_mix(static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

void random_seed(uint64_t seed) { state().seed(seed); }

}  // namespace varnel2d
