// Splitting definitions at commas and reading data-file values strictly.
#include "engine/delimited_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace varnel2d {
namespace {

constexpr std::string_view blanks = " \t";
constexpr std::string_view separators = ",\r\n";
// How much of an unreadable value the error line quotes.
constexpr size_t quoted_length = 24;

std::string_view trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The whole text as a finite decimal number, or nothing.
std::optional<double> parse_number(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto [stop, failure] = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (text.empty() || failure != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::vector<std::string_view> comma_pieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  if (text.empty()) return pieces;
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    pieces.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return pieces;
    start = comma + 1;
  }
}

data_values::data_values(std::string_view text) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t stop = text.find_first_of(separators, start);
    if (stop == std::string_view::npos) stop = text.size();
    const std::string_view value = trimmed(text.substr(start, stop - start));
    if (!value.empty()) values_.push_back(value);
    start = stop + 1;
  }
}

std::optional<double> data_values::number() {
  if (remaining() == 0) return fail("Unexpected end of file.");
  const std::string_view value = values_[next_++];
  const std::optional<double> parsed = parse_number(value);
  if (!parsed) return fail("Not a number: \"" + std::string(value.substr(0, quoted_length)) + "\".");
  return parsed;
}

std::optional<int32_t> data_values::count(int32_t low, int32_t high, std::string_view what) {
  const std::optional<double> value = number();
  if (!value) return std::nullopt;
  const std::string name(what);
  if (*value != std::floor(*value)) return fail(name + " is not a whole number.");
  if (*value < low) return fail(name + " < " + std::to_string(low) + ".");
  if (*value > high) return fail(name + " > " + std::to_string(high) + ".");
  return static_cast<int32_t>(*value);
}

std::nullopt_t data_values::fail(std::string detail) {
  error_ = std::move(detail);
  return std::nullopt;
}

}  // namespace varnel2d
