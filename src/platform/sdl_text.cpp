// fontconfig look-ups and SDL2_ttf fonts for text on the SDL displays.
#include "platform/sdl_text.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>

namespace brisenfall {
namespace {
// Used when a caller passes no size (the statistics line does).
constexpr int default_points = 10;
constexpr unsigned int screen_dpi = 96;
}  // namespace

font_cache::font_cache() { ready_ = TTF_Init() == 0 && FcInit(); }

font_cache::~font_cache() {
  for (auto& entry : fonts_) TTF_CloseFont(entry.second);
  if (ready_) TTF_Quit();
}

std::string font_cache::resolve(std::string_view face, bool bold, bool italic) {
  const auto key = std::make_tuple(std::string(face), bold, italic);
  if (auto found = files_.find(key); found != files_.end()) return found->second;
  std::string file;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(std::get<0>(key).c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddString(pattern, FC_FONTFORMAT, reinterpret_cast<const FcChar8*>("TrueType"));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
    FcChar8* name = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &name) == FcResultMatch) file = reinterpret_cast<const char*>(name);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  files_[key] = file;
  return file;
}

_TTF_Font* font_cache::get(std::string_view face, double points, bool bold, bool italic) {
  if (!ready_) return nullptr;
  const std::string file = resolve(face, bold, italic);
  if (file.empty()) return nullptr;
  const int size = points > 0 ? std::max(1, static_cast<int>(std::lround(points))) : default_points;
  const auto key = std::make_pair(file, size);
  if (auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  TTF_Font* font = TTF_OpenFontDPI(file.c_str(), size, screen_dpi, screen_dpi);
  if (font != nullptr) fonts_[key] = font;
  return font;
}

}  // namespace brisenfall
