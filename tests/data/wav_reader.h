// Test helper: reads 16-bit PCM WAV files and measures their levels.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace wav_reader {

struct Sound {
    int rate;
    int channels;
    std::vector<std::int16_t> samples;  // interleaved

    double seconds() const { return static_cast<double>(samples.size()) / channels / rate; }
};

// Throws std::runtime_error when the file is not 16-bit PCM WAV.
Sound read(const std::filesystem::path& path);

// Levels in dBFS (full scale 32768) over the frames in [from, to) seconds.
double peak_dbfs(const Sound& sound, double from, double to);
double rms_dbfs(const Sound& sound, double from, double to);

// Longest run, in seconds, of consecutive 100 ms windows in [from, to) whose
// RMS is below `threshold_dbfs`.
double longest_quiet(const Sound& sound, double from, double to, double threshold_dbfs);

}  // namespace wav_reader
