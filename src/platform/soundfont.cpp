// Finding the General MIDI SoundFont and its gain.
#include "platform/soundfont.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

namespace brisenfall {
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
  return find_soundfont(std::getenv(soundfont_variable), system_soundfont_folder);
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

}  // namespace brisenfall
