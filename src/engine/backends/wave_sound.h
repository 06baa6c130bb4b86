// Wave sounds loaded from files: the samples as 32-bit float stereo at the file's own rate, and the
// size of one frame in the file's own format, so play positions can be given in the file's bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace varnel2d {

struct wave_sound {
  std::vector<float> samples;  // interleaved left, right
  int32_t rate = 0;            // frames per second, as stored in the file
  int32_t file_frame_bytes = 0;

  int64_t frames() const { return static_cast<int64_t>(samples.size() / 2); }
};

// Why a wave could not be loaded, as the engine log reports it.
struct wave_error {
  int32_t number = 0;
  std::string description;
};

// Error numbers: the file does not exist, or it exists but is no wave data we can play.
inline constexpr int32_t wave_error_missing = 53;
inline constexpr int32_t wave_error_format = 321;

// Loads a RIFF WAVE file and converts it to float stereo at its own rate.
std::variant<wave_sound, wave_error> load_wave(const std::filesystem::path& file);

// The same from a file's bytes in memory; `name` names the file in errors.
std::variant<wave_sound, wave_error> decode_wave(std::span<const uint8_t> bytes, const std::string& name);

}  // namespace varnel2d
