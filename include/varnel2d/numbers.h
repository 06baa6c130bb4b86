// Number conversions shared by every layer: whole numbers from fractions and decimal text.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

namespace varnel2d {

// Nearest whole number, halves to even (the default rounding mode), clamped into the target's range.
template <typename Int>
constexpr Int to_whole(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);
  if (rounded <= static_cast<double>(std::numeric_limits<Int>::min())) return std::numeric_limits<Int>::min();
  if (rounded >= static_cast<double>(std::numeric_limits<Int>::max())) return std::numeric_limits<Int>::max();
  return static_cast<Int>(rounded);
}

inline int32_t to_int32(double value) { return to_whole<int32_t>(value); }
inline int16_t to_int16(double value) { return to_whole<int16_t>(value); }

// "Int": rounded down.
inline double int_floor(double value) { return std::floor(value); }

// Reads the longest decimal number at the start of the text: leading blanks skipped, an optional sign,
// digits with an optional fraction and exponent; reading stops at the first character that cannot
// continue the number. No number gives 0.
double leading_number(std::string_view text);

}  // namespace varnel2d
