// Loading wave sounds with SDL and converting them to float stereo.
#include "engine/backends/wave_sound.h"

#include <SDL.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

namespace varnel2d {
namespace {

wave_error format_error(const std::string& file, const std::string& why) {
  return {wave_error_format, "Invalid file format: " + file + " (" + why + ")"};
}

bool has_tag(std::span<const uint8_t> bytes, size_t at, const char* tag) {
  return at + 4 <= bytes.size() && std::memcmp(bytes.data() + at, tag, 4) == 0;
}

// The bytes with a chunk that runs past their end cut down to the bytes there are. SDL reads a cut
// data chunk only as far as it goes, but first allocates its whole stated length, up to 4 GiB. Like
// SDL, the chunks start after "RIFF", the size and "WAVE", or after a lone "WAVE".
std::vector<uint8_t> without_overlong_chunk(std::span<const uint8_t> bytes) {
  std::vector<uint8_t> kept(bytes.begin(), bytes.end());
  const bool riff = has_tag(bytes, 0, "RIFF") && has_tag(bytes, 8, "WAVE");
  if (!riff && !has_tag(bytes, 0, "WAVE")) return kept;
  for (size_t at = riff ? 12 : 4; at + 8 <= kept.size();) {
    uint8_t* stated = kept.data() + at + 4;
    const uint64_t length = stated[0] | (stated[1] << 8) | (stated[2] << 16) | (uint64_t{stated[3]} << 24);
    if (at + 8 + length > kept.size()) {
      const size_t there = kept.size() - at - 8;
      for (int i = 0; i < 4; ++i) stated[i] = static_cast<uint8_t>(there >> (8 * i));
      break;
    }
    at += 8 + length + (length & 1);  // chunks are padded to an even size
  }
  return kept;
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
  std::ifstream in(file, std::ios::binary);
  if (!in) return format_error(file.string(), "cannot be opened");
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return decode_wave(bytes, file.string());
}

std::variant<wave_sound, wave_error> decode_wave(std::span<const uint8_t> bytes, const std::string& name) {
  if (bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return format_error(name, "too large");
  const std::vector<uint8_t> kept = without_overlong_chunk(bytes);
  return decode(SDL_RWFromConstMem(kept.data(), static_cast<int>(kept.size())), name);
}

}  // namespace varnel2d
