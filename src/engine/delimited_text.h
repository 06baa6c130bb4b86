// Delimited text of the engine's definitions and data files: comma-separated lists given as text,
// and data files whose values are separated by commas or line breaks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel2d {

// The pieces of `text` between commas, blanks kept; an empty text has no pieces.
std::vector<std::string_view> comma_pieces(std::string_view text);

// The values of a data file read one after another. Values are separated by commas and line
// breaks; blanks and tabs around a value are ignored, and so are empty values. Every value must be
// a whole decimal number (sign, digits, fraction, exponent); the first value that is missing or
// is not one stops the reading with a detail line in `error()`.
class data_values {
 public:
  explicit data_values(std::string_view text);

  // Values not yet read.
  size_t remaining() const { return values_.size() - next_; }
  // The next value; nothing at the end of the text or for a value that is not a number.
  std::optional<double> number();
  // The next value as a whole number in low..high (`what` names it in the error); nothing otherwise.
  std::optional<int32_t> count(int32_t low, int32_t high, std::string_view what);
  // Why the last read failed.
  const std::string& error() const { return error_; }

 private:
  // Sets the error; always nothing.
  std::nullopt_t fail(std::string detail);

  std::vector<std::string_view> values_;
  size_t next_ = 0;
  std::string error_;
};

}  // namespace varnel2d
