// Loading wave sounds with SDL and converting them to float stereo.
#include "platform/wave_sound.h"

#include <SDL.h>

#include <cstring>
#include <limits>
#include <system_error>

namespace brisenfall {
namespace {

wave_error format_error(const std::string& file, const std::string& why) {
  return {wave_error_format, "Invalid file format: " + file + " (" + why + ")"};
}

// Reads the wave from `source`, which it closes, and converts it.
std::variant<wave_sound, wave_error> decode(SDL_RWops* source, const std::string& file) {
  if (source == nullptr) return format_error(file, SDL_GetError());
  SDL_AudioSpec spec{};
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV_RW(source, 1, &spec, &data, &length) == nullptr) return format_error(file, SDL_GetError());

  wave_sound sound;
  sound.rate = spec.freq;
  sound.file_frame_bytes = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
  SDL_AudioCVT convert;
  if (SDL_BuildAudioCVT(&convert, spec.format, spec.channels, spec.freq, AUDIO_F32SYS, 2, spec.freq) < 0) {
    SDL_FreeWAV(data);
    return format_error(file, SDL_GetError());
  }
  const Uint32 whole = length - length % static_cast<Uint32>(sound.file_frame_bytes);
  if (whole == 0) {
    SDL_FreeWAV(data);
    return sound;
  }
  std::vector<Uint8> work(static_cast<size_t>(whole) * static_cast<size_t>(convert.len_mult));
  std::memcpy(work.data(), data, whole);
  SDL_FreeWAV(data);
  convert.buf = work.data();
  convert.len = static_cast<int>(whole);
  if (convert.needed != 0 && SDL_ConvertAudio(&convert) < 0) return format_error(file, SDL_GetError());
  const size_t converted = convert.needed != 0 ? static_cast<size_t>(convert.len_cvt) : whole;
  sound.samples.resize(converted / sizeof(float));
  std::memcpy(sound.samples.data(), work.data(), sound.samples.size() * sizeof(float));
  return sound;
}

}  // namespace

std::variant<wave_sound, wave_error> load_wave(const std::filesystem::path& file) {
  std::error_code missing;
  if (!std::filesystem::is_regular_file(file, missing)) {
    return wave_error{wave_error_missing, "File not found: " + file.string()};
  }
  return decode(SDL_RWFromFile(file.c_str(), "rb"), file.string());
}

std::variant<wave_sound, wave_error> decode_wave(std::span<const uint8_t> bytes, const std::string& name) {
  if (bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return format_error(name, "too large");
  return decode(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), name);
}

}  // namespace brisenfall
