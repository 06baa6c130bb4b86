// The table's file and the name entry.
#include "high_scores.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace frostkeep {
namespace {

constexpr std::string_view keepers[10] = {"Aldis Frostmantle", "Brenna Snowquill", "Corvin Ashglow",
                                          "Dagny Rime",        "Eirik Lanternwright", "Frida Hollowfrost",
                                          "Gunnar Icebrook",   "Hild Emberheart",  "Ivo Whitepine", "Jora Starwick"};
constexpr int keeper_scores[10] = {2000, 1500, 1200, 900, 700, 500, 350, 200, 100, 20};

// The letters the pad steps through.
constexpr std::string_view alphabet = " ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

}  // namespace

std::string high_score_file() {
  const char* data = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  std::filesystem::path folder = data != nullptr && *data == '/' ? std::filesystem::path(data)
                                 : std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share";
  return (folder / "frostkeep" / "highscores.txt").string();
}

void read_high_scores(engine& e, const std::string& file) {
  if (e.lib_fileexists(file) && e.lib_highscoreread(file)) return;
  for (int place = 1; place <= 10; ++place)
    e.lib_highscoreset(place, keeper_scores[place - 1], std::string(keepers[place - 1]));
}

bool write_high_scores(engine& e, const std::string& file) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ignored);
  return e.lib_highscorewrite(file);
}

bool edit_name(name_entry& entry, const controls& c) {
  std::string& name = entry.name;
  if (c.typed != 0) {
    if (name.size() < longest_name && !(c.typed == ' ' && name.empty())) name += c.typed;
    return false;
  }
  if (c.confirm) return true;
  if (c.erase && !name.empty()) name.pop_back();
  if ((c.up_pressed || c.down_pressed) && name.empty()) name.assign(1, 'A');
  else if (c.up_pressed || c.down_pressed) {
    const size_t at = alphabet.find(name.back());
    const size_t n = alphabet.size();
    name.back() = alphabet[(at == std::string_view::npos ? 0 : at + (c.up_pressed ? n - 1 : 1)) % n];
  }
  if (c.right_pressed && name.size() < longest_name) name += 'A';
  return false;
}

}  // namespace frostkeep
