// The high-score table on disk ($XDG_DATA_HOME/frostkeep/highscores.txt, by default
// ~/.local/share/frostkeep/highscores.txt) and the entry of a new name into it.
#pragma once

#include <string>

#include "controls.h"
#include "engine.h"

namespace frostkeep {

// Where the table is kept for this user.
std::string high_score_file();
// Reads the table; without a readable file the keep's own ten keepers stand in it.
void read_high_scores(engine& e, const std::string& file);
// Writes the table, making its folder first. False when it cannot be written.
bool write_high_scores(engine& e, const std::string& file);

// A name being typed for a place in the table.
struct name_entry {
  int place = 0;
  int score = 0;
  std::string name;
};
inline constexpr size_t longest_name = 12;

// Applies one frame's controls: letters, digits and blanks typed, Backspace, or on the pad up and
// down to change the last letter and right for another one. True when Enter (or the pad's first
// button) finishes the name.
bool edit_name(name_entry& entry, const controls& c);

}  // namespace frostkeep
