// Finding the General MIDI SoundFont and its gain.
#include "engine/backends/soundfont.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace varnel2d {
namespace {

bool is_file(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error);
}

}  // namespace

std::optional<std::filesystem::path> find_soundfont(const char* named, const std::filesystem::path& folder) {
  if (named != nullptr && *named != '\0') {
    if (is_file(named)) return std::filesystem::path(named);
    return std::nullopt;
  }
  for (const char* preferred : {"FluidR3_GM.sf2", "TimGM6mb.sf2"}) {
    if (is_file(folder / preferred)) return folder / preferred;
  }
  std::error_code error;
  std::vector<std::filesystem::path> found;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->path().extension() == ".sf2" && is_file(it->path())) found.push_back(it->path());
  }
  if (found.empty()) return std::nullopt;
  return *std::min_element(found.begin(), found.end());
}

std::optional<std::filesystem::path> find_soundfont() {
  const char* named = std::getenv(soundfont_variable);
  auto found = find_soundfont(named, system_soundfont_folder);
  if (found) return found;
  if (named != nullptr && *named != '\0')
    std::cerr << "varnel2d: the SoundFont " << named << " named by " << soundfont_variable
              << " does not exist; music stays off\n";
  else
    std::cerr << "varnel2d: no SoundFont (.sf2) in " << system_soundfont_folder.string() << "; music stays off\n";
  return std::nullopt;
}

std::string soundfont_damage(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  char header[12] = {};
  if (!in.read(header, sizeof header) || std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "sfbk", 4) != 0)
    return "not a SoundFont";
  uint64_t stated = 8;
  for (int i = 0; i < 4; ++i) stated += static_cast<uint64_t>(static_cast<unsigned char>(header[4 + i])) << (8 * i);
  std::error_code error;
  const uint64_t actual = std::filesystem::file_size(file, error);
  if (!error && actual < stated)
    return "cut short: " + std::to_string(actual) + " of " + std::to_string(stated) + " bytes";
  return {};
}

float soundfont_gain(const std::filesystem::path& file) {
  std::error_code error;
  const auto real = std::filesystem::canonical(file, error);
  const std::string name = (error ? file : real).filename().string();
  // The largest gain at which a tutti (eight instruments, three-note chords, full velocity, drums)
  // at 100 % volume and a crowded passage (fifteen instruments, four-note chords) at 80 % both peak
  // at or below -1 dBFS; measured with bench/audio_render_bench (soundfont_levels).
  if (name == "FluidR3_GM.sf2") return 0.132f;
  if (name == "TimGM6mb.sf2") return 0.148f;
  return 0.13f;
}

void silence_fluidsynth_messages() {
  for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) fluid_set_log_function(level, nullptr, nullptr);
}

}  // namespace varnel2d
