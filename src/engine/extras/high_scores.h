// Private state of the high-score family: ten places and a spare slot 0; ranking a new score, and
// the high-score file (ten lines of a quoted name, a comma and the score) read and written.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace varnel2d {

inline constexpr int32_t high_score_places = 10;
inline constexpr int32_t highest_score = 9999999;
inline constexpr size_t longest_score_name = 20;

struct high_score {
  std::string name;
  int32_t score = 0;
};

struct high_score_table {
  std::array<high_score, high_score_places + 1> places;  // 0 is the spare slot
};

// A failure as the engine log reports it: the error's number and its description.
struct file_error {
  int32_t number = 0;
  std::string description;
};

// The place 1..10 a score (capped at 9999999) beats strictly, entered there as "Guest" with the
// places below moved down one; 0 when it beats none.
int32_t enter_score(high_score_table& table, double newscore);

// A name as the table keeps it: double quotes become apostrophes.
std::string stored_name(std::string_view name);
// At most the first 20 characters of a UTF-8 name.
std::string cut_name(std::string_view name);

// Reads the ten places from the text in order; places read before an error keep their new
// values. Nothing on success.
std::optional<file_error> read_high_scores(std::string_view text, high_score_table& table);
std::optional<file_error> read_high_scores(std::istream& in, high_score_table& table);

// The file's bytes: "name",score with CR LF, place 1 first.
std::string format_high_scores(const high_score_table& table);

}  // namespace varnel2d
