// The game's sound effects, synthesized into 16-bit mono wave files at 22050 Hz: bell tones with
// inharmonic partials for the crystals, filtered noise for wind and impacts, falling tones for loss.
#include "art.hpp"

#include "noise.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace art {
namespace {

constexpr int rate = 22050;
using Samples = std::vector<double>;

Samples silence(double seconds)
{
    return Samples(static_cast<std::size_t>(seconds * rate), 0.0);
}

// A struck bell: partials at 1, 2.76 and 5.4 times the pitch, each dying away faster than the last.
void bell(Samples& out, double start, double hz, double gain, double decay)
{
    const double partials[][3] = {{1.0, 1.0, 1.0}, {2.76, 0.35, 1.8}, {5.4, 0.15, 3.0}};
    const std::size_t first = static_cast<std::size_t>(start * rate);
    for (std::size_t i = first; i < out.size(); ++i) {
        const double t = static_cast<double>(i - first) / rate;
        const double attack = std::min(1.0, t * 400);
        double v = 0;
        for (const auto& p : partials)
            v += p[1] * std::sin(2 * M_PI * hz * p[0] * t) * std::exp(-t * decay * p[2]);
        out[i] += gain * attack * v;
    }
}

// A tone sliding from `from` to `to` hertz, with a soft square edge and a fade at both ends.
void slide(Samples& out, double start, double length, double from, double to, double gain, double edge)
{
    double phase = 0;
    const std::size_t first = static_cast<std::size_t>(start * rate);
    const std::size_t count = static_cast<std::size_t>(length * rate);
    for (std::size_t k = 0; k < count && first + k < out.size(); ++k) {
        const double t = static_cast<double>(k) / static_cast<double>(count);
        phase += 2 * M_PI * (from + (to - from) * t) / rate;
        const double s = std::sin(phase), square = std::tanh(s * edge) / std::tanh(edge);
        const double envelope = std::min(1.0, t * 30) * std::pow(1 - t, 1.5);
        out[first + k] += gain * envelope * square;
    }
}

// Noise through a one-pole low-pass whose cut-off and loudness follow the curves given over time.
void wind(Samples& out, double start, double length, double cut_from, double cut_to, double gain, uint64_t seed,
          double swell)
{
    paint::Rng rng(seed);
    double low = 0;
    const std::size_t first = static_cast<std::size_t>(start * rate);
    const std::size_t count = static_cast<std::size_t>(length * rate);
    for (std::size_t k = 0; k < count && first + k < out.size(); ++k) {
        const double t = static_cast<double>(k) / static_cast<double>(count);
        const double cut = cut_from + (cut_to - cut_from) * t;
        const double a = 1 - std::exp(-2 * M_PI * cut / rate);
        low += a * (rng.range(-1, 1) - low);
        const double envelope = std::pow(std::sin(M_PI * std::pow(t, swell)), 2);
        out[first + k] += gain * envelope * low * 3;
    }
}

void write_wav(const std::string& path, const Samples& samples)
{
    const double peak = std::max(0.001, std::abs(*std::max_element(samples.begin(), samples.end(),
                                                                      [](double a, double b) { return std::abs(a) < std::abs(b); })));
    const double scale = std::min(1.0, 0.9 / peak) * 32767;
    std::vector<int16_t> pcm;
    for (double s : samples)
        pcm.push_back(static_cast<int16_t>(std::lround(std::clamp(s * scale, -32767.0, 32767.0))));
    const uint32_t data_bytes = static_cast<uint32_t>(pcm.size() * 2);
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + data_bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(data_bytes);
    out.write(reinterpret_cast<const char*>(pcm.data()), static_cast<std::streamsize>(data_bytes));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

} // namespace

void synthesize_sounds(const std::string& folder)
{
    Samples pickup = silence(0.7);
    bell(pickup, 0.0, 1318.5, 0.5, 7);
    bell(pickup, 0.07, 1975.5, 0.45, 6);
    write_wav(folder + "/pickup.wav", pickup);

    Samples hurt = silence(0.6);
    slide(hurt, 0.0, 0.5, 330, 70, 0.6, 3);
    wind(hurt, 0.0, 0.35, 2500, 300, 0.8, 5, 0.4);
    write_wav(folder + "/hurt.wav", hurt);

    Samples whoosh = silence(0.9);
    wind(whoosh, 0.0, 0.9, 300, 1800, 1.0, 6, 0.7);
    bell(whoosh, 0.25, 880, 0.05, 5);
    write_wav(folder + "/whoosh.wav", whoosh);

    Samples open = silence(1.6);
    const double rise[] = {587.3, 740.0, 880.0, 1174.7, 1480.0};
    for (int i = 0; i < 5; ++i)
        bell(open, i * 0.09, rise[i], 0.35, 3.5);
    write_wav(folder + "/open.wav", open);

    Samples level = silence(2.2);
    const double fanfare[] = {523.3, 659.3, 784.0, 1046.5, 784.0, 1046.5};
    const double when[] = {0.0, 0.14, 0.28, 0.42, 0.7, 0.84};
    for (int i = 0; i < 6; ++i)
        bell(level, when[i], fanfare[i], 0.35, i == 5 ? 1.6 : 4);
    write_wav(folder + "/level.wav", level);

    Samples over = silence(2.8);
    const double fall[] = {587.3, 466.2, 392.0, 293.7};
    for (int i = 0; i < 4; ++i)
        bell(over, i * 0.42, fall[i], 0.4, i == 3 ? 1.0 : 2.5);
    wind(over, 0.0, 2.6, 200, 700, 0.25, 7, 0.5);
    write_wav(folder + "/gameover.wav", over);

    Samples select = silence(0.15);
    slide(select, 0.0, 0.12, 880, 1320, 0.35, 1.5);
    write_wav(folder + "/select.wav", select);
}

} // namespace art
