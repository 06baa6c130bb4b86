// Frostkeep: a lantern-bearer gathers crystals in an icy keep, chased by spirits.
// Usage: frostkeep [PACK FOLDER]   (default: beside the program, then the installed data folder)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <varnel2d/termination_signals.h>

#include "src/assets.h"
#include "src/engine.h"
#include "src/game.h"

#ifndef FROSTKEEP_DATA_DIR
#define FROSTKEEP_DATA_DIR "/usr/share/frostkeep"
#endif

namespace fs = std::filesystem;

namespace {

// The folder holding the pack: the one named, else the program's own, else the installed one.
std::string pack_folder(int argc, char** argv) {
  if (argc > 1) return argv[1];
  std::error_code failed;
  const fs::path beside = fs::read_symlink("/proc/self/exe", failed).parent_path();
  if (!failed && fs::exists(beside / frostkeep::pack_name)) return beside.string();
  return FROSTKEEP_DATA_DIR;
}

// A fresh folder of our own under $XDG_CACHE_HOME (default ~/.cache), removed at the end.
std::string cache_folder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  const fs::path base = cache != nullptr && *cache == '/' ? fs::path(cache) : fs::path(home ? home : "/tmp") / ".cache";
  std::error_code ignored;
  fs::create_directories(base, ignored);
  std::string pattern = (base / "frostkeep-XXXXXX").string();
  return mkdtemp(pattern.data()) != nullptr ? pattern : (fs::temp_directory_path() / "frostkeep").string();
}

}  // namespace

int main(int argc, char** argv) {
  // Ctrl+C and SIGTERM end the game after its frame, in order: the window gives the screen back.
  const varnel2d::termination_signal_catcher signals;
  const auto engine = frostkeep::make_engine("Frostkeep");
  if (!engine->init(0, 640, 480, 32)) {
    std::fprintf(stderr, "frostkeep: cannot open the display\n");
    return 1;
  }
  const frostkeep::game_paths paths{pack_folder(argc, argv), cache_folder(), frostkeep::high_score_file()};
  frostkeep::game game(*engine);
  std::string error;
  const bool started = game.start(paths, error);
  if (started)
    while (!varnel2d::termination_requested() && game.frame()) {
    }
  engine->terminate();
  std::error_code ignored;
  fs::remove_all(paths.cache_folder, ignored);
  if (!started) std::fprintf(stderr, "frostkeep: %s\n", error.c_str());
  return started ? 0 : 1;
}
