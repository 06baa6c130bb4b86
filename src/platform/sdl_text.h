// System fonts for the SDL displays: a face name resolved by fontconfig, opened with SDL2_ttf at
// 96 dots per inch, kept open for the next call with the same face and size.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>

struct _TTF_Font;

namespace brisenfall {

class font_cache {
 public:
  font_cache();
  ~font_cache();
  font_cache(const font_cache&) = delete;
  font_cache& operator=(const font_cache&) = delete;

  // The font for that face, size in points, weight and slant; nullptr when none can be opened.
  _TTF_Font* get(std::string_view face, double points, bool bold, bool italic);

 private:
  std::string resolve(std::string_view face, bool bold, bool italic);

  bool ready_ = false;
  std::map<std::tuple<std::string, bool, bool>, std::string> files_;
  std::map<std::pair<std::string, int>, _TTF_Font*> fonts_;
};

}  // namespace brisenfall
