// The faces this system has in place of the classic face names, for every text the program draws:
// the engine's system-font text and the dialogs.
#pragma once

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace varnel2d {

// Liberation Sans has the advance widths of "Arial", and stands in for the bitmap face
// "MS Sans Serif" as the closest sans-serif this system ships. Names are compared without regard
// to case; any other name is given as it is.
inline std::string_view stand_in_face(std::string_view face) {
  constexpr std::array<std::string_view, 2> liberation_sans_for = {"Arial", "MS Sans Serif"};
  const auto same = [face](std::string_view name) {
    return std::equal(face.begin(), face.end(), name.begin(), name.end(), [](char a, char b) {
      return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
  };
  return std::any_of(liberation_sans_for.begin(), liberation_sans_for.end(), same) ? "Liberation Sans" : face;
}

}  // namespace varnel2d
