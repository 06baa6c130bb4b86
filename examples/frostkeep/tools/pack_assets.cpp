// frostkeep-pack ASSETS OUT: makes the game's one pack file at build time, with the engine itself.
// The level, drawn as text in ASSETS/keep.txt, becomes the engine's map file (layer 1 the tiles, walls
// shown as tops or faces by what lies below them; layer 2 the start and the spirits). Every asset is
// then compressed where that saves at least a tenth, and all go into OUT/frostkeep.pak and its data
// file. Runs on the engine's doubles: no window is opened.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <varnel2d/testing/engine_on_doubles.h>

#include "src/assets.h"
#include "src/sheet_layout.h"

namespace fs = std::filesystem;
namespace L = frostkeep::layout;

namespace {

constexpr const char* assets[] = {"tiles.png",  "sprites.png", "font.png",     "title.png",
                                  "frostkeep.ani", "pickup.wav", "hurt.wav",   "whoosh.wav",
                                  "open.wav",   "level.wav",   "gameover.wav", "select.wav", "frostkeep.mid"};

bool is_wall(char c) { return c == '#' || c == 'T' || c == 'N' || c == 'I'; }

// A steady mix of the cell's position, for floors and wall tops that vary without a pattern.
int variety(int x, int y) { return static_cast<int>(((x * 73856093u) ^ (y * 19349663u)) % 10u); }

// The tile and the thing for one character of the level text; false for an unknown character.
bool cell_of(char c, char below, int x, int y, int& tile, int& thing) {
  const int floor = variety(x, y) < 6 ? L::floor_a : variety(x, y) < 9 ? L::floor_b : L::floor_cracked;
  thing = c == 'P' ? L::player_start : c == 'W' ? L::wisp : c == 'S' ? L::snowball_across
          : c == 's' ? L::snowball_down : c == 'B' ? L::bat : L::nothing;
  switch (c) {
    case '#': tile = is_wall(below) ? (variety(x, y) < 3 ? L::wall_top_snow : L::wall_top) : L::wall_face; return true;
    case 'T': tile = L::torch_first; return true;
    case 'N': tile = L::wall_banner; return true;
    case 'I': tile = L::wall_face_ice; return true;
    case 'O': tile = L::pillar; return true;
    case ',': tile = L::floor_snow; return true;
    case '~': tile = L::floor_ice; return true;
    case 'r': tile = L::floor_rune; return true;
    case '*': tile = L::crystal_first; return true;
    case 'X': tile = L::exit_closed; return true;
    case '.': case 'P': case 'W': case 'S': case 's': case 'B': tile = floor; return true;
    default: return false;
  }
}

bool make_map(frostkeep::engine& e, const fs::path& out) {
  std::ifstream in("keep.txt");
  std::vector<std::string> rows;
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) rows.push_back(line);
  if (rows.empty()) return false;
  const int width = static_cast<int>(rows[0].size()), height = static_cast<int>(rows.size());
  // The map file names its tile sheet as it was loaded: without a folder, so the file is the same
  // wherever it is built.
  if (!e.texture_load(frostkeep::tiles_texture, "tiles.png", 0xFFFF00FF, true)) return false;
  e.map_init(L::cell, L::cell, width, height, e.texture_getwidth(1), e.texture_getheight(1), L::tiles_across,
             L::tiles_down, 1, 2);
  for (int y = 0; y < height; ++y) {
    if (static_cast<int>(rows[y].size()) != width) {
      std::fprintf(stderr, "frostkeep-pack: keep.txt: row %d is not %d long\n", y + 1, width);
      return false;
    }
    for (int x = 0; x < width; ++x) {
      const char below = y + 1 < height ? rows[y + 1][x] : '#';
      int tile = 0, thing = 0;
      if (!cell_of(rows[y][x], below, x, y, tile, thing)) {
        std::fprintf(stderr, "frostkeep-pack: keep.txt: unknown '%c' in row %d\n", rows[y][x], y + 1);
        return false;
      }
      e.map_putbuffer(1, x, y, tile);
      e.map_putbuffer(2, x, y, thing);
    }
  }
  return e.map_savebufferasmapfile((out / frostkeep::map_name).string(), 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: frostkeep-pack ASSETS OUT\n");
    return 2;
  }
  const fs::path out = fs::absolute(argv[2]);
  fs::create_directories(out);
  fs::current_path(argv[1]);
  varnel2d::testing::headless_engine headless;
  frostkeep::engine& e = *headless.engine;
  if (!e.init(0, 640, 480, 32) || !make_map(e, out)) {
    std::fprintf(stderr, "frostkeep-pack: cannot make the map from %s/keep.txt\n", argv[1]);
    return 1;
  }
  std::vector<std::string> files;
  for (const char* name : assets) files.push_back(fs::absolute(name).string());
  files.push_back((out / frostkeep::map_name).string());
  for (std::string& file : files) {
    const std::string packed = (out / fs::path(file).filename()).string() + ".z";
    const auto size = fs::file_size(file);
    if (!e.lib_filecompress(file, packed)) return 1;
    const auto smaller = fs::file_size(packed);
    const bool pays = smaller * 10 < size * 9;
    std::printf("  %-14s %8ju %s\n", fs::path(file).filename().c_str(), static_cast<uintmax_t>(size),
                pays ? ("-> " + std::to_string(smaller) + " compressed").c_str() : "as it is");
    if (pays) file = packed;
    else fs::remove(packed);
  }
  const bool packed = e.lib_filepack(files, (out / frostkeep::pack_name).string());
  e.terminate();
  return packed ? 0 : 1;
}
