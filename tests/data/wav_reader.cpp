// Test helper: WAV reading and level measurement.
#include "wav_reader.h"

#include "smf_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace wav_reader {
namespace {

std::uint32_t little_endian(const std::vector<std::uint8_t>& bytes, std::size_t at, int count)
{
    if (at + static_cast<std::size_t>(count) > bytes.size())
        throw std::runtime_error("WAV file ends inside a chunk");
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

std::string tag(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    if (at + 4 > bytes.size())
        throw std::runtime_error("WAV file ends inside a chunk tag");
    return {bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + 4)};
}

std::size_t frame(const Sound& sound, double seconds)
{
    const double frames = std::floor(std::max(0.0, seconds) * sound.rate);
    return std::min(static_cast<std::size_t>(frames), sound.samples.size() / static_cast<std::size_t>(sound.channels));
}

double decibels(double level)
{
    return level > 0 ? 20 * std::log10(level / 32768.0) : -200.0;
}

double rms_frames(const Sound& sound, std::size_t first, std::size_t last)
{
    const std::size_t channels = static_cast<std::size_t>(sound.channels);
    double sum = 0;
    for (std::size_t i = first * channels; i < last * channels; ++i)
        sum += static_cast<double>(sound.samples[i]) * sound.samples[i];
    return last > first ? std::sqrt(sum / static_cast<double>((last - first) * channels)) : 0.0;
}

}  // namespace

Sound read(const std::filesystem::path& path)
{
    const std::vector<std::uint8_t> bytes = smf_reader::read_bytes(path);
    if (tag(bytes, 0) != "RIFF" || tag(bytes, 8) != "WAVE")
        throw std::runtime_error(path.string() + " is not a RIFF WAVE file");
    Sound sound{0, 0, {}};
    bool have_format = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = tag(bytes, at);
        const std::uint32_t size = little_endian(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (id == "fmt ") {
            const std::uint32_t format = little_endian(bytes, body, 2);
            sound.channels = static_cast<int>(little_endian(bytes, body + 2, 2));
            sound.rate = static_cast<int>(little_endian(bytes, body + 4, 4));
            if ((format != 1 && format != 0xFFFE) || little_endian(bytes, body + 14, 2) != 16 || sound.channels < 1)
                throw std::runtime_error(path.string() + " is not 16-bit PCM");
            have_format = true;
        } else if (id == "data") {
            if (!have_format)
                throw std::runtime_error(path.string() + " has data before its format");
            const std::size_t count = std::min<std::size_t>(size, bytes.size() - body) / 2;
            sound.samples.resize(count);
            for (std::size_t i = 0; i < count; ++i)
                sound.samples[i] = static_cast<std::int16_t>(little_endian(bytes, body + 2 * i, 2));
            return sound;
        }
        at = body + size + (size & 1);
    }
    throw std::runtime_error(path.string() + " has no data chunk");
}

double peak_dbfs(const Sound& sound, double from, double to)
{
    const std::size_t channels = static_cast<std::size_t>(sound.channels);
    int peak = 0;
    for (std::size_t i = frame(sound, from) * channels; i < frame(sound, to) * channels; ++i)
        peak = std::max(peak, std::abs(static_cast<int>(sound.samples[i])));
    return decibels(peak);
}

double rms_dbfs(const Sound& sound, double from, double to)
{
    return decibels(rms_frames(sound, frame(sound, from), frame(sound, to)));
}

double longest_quiet(const Sound& sound, double from, double to, double threshold_dbfs)
{
    const std::size_t window = static_cast<std::size_t>(sound.rate / 10);
    const std::size_t last = frame(sound, to);
    std::size_t run = 0;
    std::size_t longest = 0;
    for (std::size_t first = frame(sound, from); first + window <= last; first += window) {
        run = decibels(rms_frames(sound, first, first + window)) < threshold_dbfs ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return static_cast<double>(longest) / 10.0;
}

}  // namespace wav_reader
