// The high-score table: ranking, setting and reading entries, and the high-score file.
#include "engine/extras/high_scores.h"

#include <algorithm>
#include <limits>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/extras/delimited_reader.h"
#include "engine/extras/engine_files.h"
#include <varnel2d/numbers.h>

namespace varnel2d {
namespace {

constexpr std::string_view guest_name = "Guest";
constexpr std::string_view error_source = "Varnel_2D_Engine";
const file_error file_not_found{53, "File not found"};
const file_error past_end{62, "Input past end of file"};
const file_error not_a_score{13, "Type mismatch"};
const file_error cannot_write{75, "Path/File access error"};

std::optional<file_error> read_places(delimited_reader& reader, high_score_table& table) {
  for (int32_t place = 1; place <= high_score_places; ++place) {
    std::optional<std::string> name = reader.text_field();
    if (!name) return past_end;
    if (reader.at_end()) return past_end;
    const std::optional<int64_t> score = reader.number_field();
    if (!score || *score < std::numeric_limits<int32_t>::min() || *score > std::numeric_limits<int32_t>::max())
      return not_a_score;
    table.places[static_cast<size_t>(place)] = {stored_name(*name), static_cast<int32_t>(*score)};
  }
  return std::nullopt;
}

}  // namespace

int32_t enter_score(high_score_table& table, double newscore) {
  const double capped = std::min(newscore, static_cast<double>(highest_score));
  int32_t place = 0;
  for (int32_t i = high_score_places; i >= 1; --i)
    if (capped > table.places[static_cast<size_t>(i)].score) place = i;
  if (place == 0) return 0;
  for (int32_t i = high_score_places; i >= place; --i)
    table.places[static_cast<size_t>(i)] = table.places[static_cast<size_t>(i - 1)];
  table.places[static_cast<size_t>(place)] = {std::string(guest_name), to_int32(capped)};
  return place;
}

std::string stored_name(std::string_view name) {
  std::string kept(name);
  std::replace(kept.begin(), kept.end(), '"', '\'');
  return kept;
}

std::string cut_name(std::string_view name) {
  size_t characters = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    const bool starts_character = (static_cast<unsigned char>(name[i]) & 0xC0u) != 0x80u;
    if (starts_character && ++characters > longest_score_name) return std::string(name.substr(0, i));
  }
  return std::string(name);
}

std::optional<file_error> read_high_scores(std::string_view text, high_score_table& table) {
  delimited_reader reader(text);
  return read_places(reader, table);
}

std::optional<file_error> read_high_scores(std::istream& in, high_score_table& table) {
  delimited_reader reader(in);
  return read_places(reader, table);
}

std::string format_high_scores(const high_score_table& table) {
  std::string text;
  for (int32_t place = 1; place <= high_score_places; ++place) {
    const high_score& entry = table.places[static_cast<size_t>(place)];
    text += '"' + stored_name(entry.name) + "\"," + std::to_string(entry.score) + "\r\n";
  }
  return text;
}

}  // namespace varnel2d

using namespace varnel2d;

namespace {

// The place 0..10 a number names, or nothing.
std::optional<size_t> place_of(double index) {
  const int32_t place = to_int32(index);
  if (place < 0 || place > high_score_places) return std::nullopt;
  return static_cast<size_t>(place);
}

}  // namespace

double Varnel_2D_Engine::lib_highscorecheck(double newscore) { return enter_score(state_->high_scores, newscore); }

void Varnel_2D_Engine::lib_highscoreset(double Index, double newscore, const std::string& newname) {
  const std::optional<size_t> place = place_of(Index);
  if (!place) return;
  state_->high_scores.places[*place] = {stored_name(cut_name(newname)),
                                 to_int32(std::min(newscore, static_cast<double>(highest_score)))};
}

std::string Varnel_2D_Engine::lib_highscoregetname(double Index) {
  const std::optional<size_t> place = place_of(Index);
  return place ? state_->high_scores.places[*place].name : std::string();
}

double Varnel_2D_Engine::lib_highscoregetscore(double Index) {
  const std::optional<size_t> place = place_of(Index);
  return place ? state_->high_scores.places[*place].score : 0;
}

void Varnel_2D_Engine::private_high_score_error(const char* operation, const file_error& error) {
  log(std::string("Error. (") + operation + ")");
  log(std::string(error_source));
  log(std::to_string(error.number));
  log(error.description);
}

bool Varnel_2D_Engine::lib_highscoreread(const std::string& fullfilepath) {
  const std::optional<std::string> text = read_whole_file(fullfilepath);
  const std::optional<file_error> error = text ? read_high_scores(*text, state_->high_scores) : file_not_found;
  if (error) private_high_score_error("lib_highscoreread", *error);
  return !error;
}

bool Varnel_2D_Engine::lib_highscorewrite(const std::string& fullfilepath) {
  if (replace_file(fullfilepath, {format_high_scores(state_->high_scores)})) return true;
  private_high_score_error("lib_highscorewrite", cannot_write);
  return false;
}
