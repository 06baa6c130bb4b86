// fontconfig look-ups, SDL2_ttf fonts and kept line textures for text on the SDL displays.
#include "engine/backends/sdl_text.h"

#include <SDL_render.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>

#include <varnel2d/font_faces.h>

namespace varnel2d {
namespace {
// Used when a caller passes no size (the statistics line does).
constexpr int default_points = 10;
constexpr unsigned int screen_dpi = 96;
}  // namespace

std::vector<std::string_view> text_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::string_view rest = text;;) {
    const size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return lines;
}

screen_rect placed_line(const text_request& request, int32_t index, int32_t count, int32_t width, int32_t skip) {
  const int32_t box_w = request.right - request.left, box_h = request.bottom - request.top;
  int32_t y = request.top + index * skip;
  if (request.align == text_align::centre) y += (box_h - skip * count) / 2;
  int32_t x = request.left;
  if (request.align == text_align::right) x = request.right - width;
  if (request.align == text_align::centre) x += (box_w - width) / 2;
  return {x, y, width, skip};
}

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
  const std::string file = resolve(stand_in_face(face), bold, italic);
  if (file.empty()) return nullptr;
  const int size = points > 0 ? std::max(1, static_cast<int>(std::lround(points))) : default_points;
  const auto key = std::make_pair(file, size);
  if (auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  TTF_Font* font = TTF_OpenFontDPI(file.c_str(), size, screen_dpi, screen_dpi);
  if (font != nullptr) fonts_[key] = font;
  return font;
}

line_textures::line line_textures::get(SDL_Renderer* renderer, _TTF_Font* font, std::string_view text) {
  ++uses_;
  for (entry& each : entries_) {
    if (each.font == font && each.text == text) {
      each.last_use = uses_;
      return each.rendered;
    }
  }
  const std::string copy(text);
  SDL_Surface* surface = TTF_RenderUTF8_Blended(font, copy.c_str(), SDL_Color{255, 255, 255, 255});
  if (surface == nullptr) return {};
  const line rendered{SDL_CreateTextureFromSurface(renderer, surface), surface->w, surface->h};
  SDL_FreeSurface(surface);
  if (rendered.texture == nullptr) return {};
  if (entries_.size() == capacity) {
    auto oldest = std::min_element(entries_.begin(), entries_.end(),
                                   [](const entry& a, const entry& b) { return a.last_use < b.last_use; });
    SDL_DestroyTexture(oldest->rendered.texture);
    entries_.erase(oldest);
  }
  entries_.push_back({font, copy, rendered, uses_});
  return rendered;
}

void line_textures::clear() {
  for (entry& each : entries_) SDL_DestroyTexture(each.rendered.texture);
  entries_.clear();
}

}  // namespace varnel2d
