// Text for the SDL displays: system fonts (a face name resolved by fontconfig, opened with SDL2_ttf
// at 96 dots per inch, kept open for the next call with the same face and size) and the textures of
// lines rendered in them, kept for the next frames that draw the same line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <varnel2d/display_device.h>

struct _TTF_Font;
struct SDL_Renderer;
struct SDL_Texture;

namespace varnel2d {

// The lines of a text: it breaks only where it has line breaks.
std::vector<std::string_view> text_lines(std::string_view text);

// Where line `index` of `count` lines, `width` pixels wide and `skip` pixels apart, starts in the
// request's rectangle, after its alignment.
screen_rect placed_line(const text_request& request, int32_t index, int32_t count, int32_t width, int32_t skip);

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

// A line drawn every frame (a statistics line, a score) changes rarely: rendering it once and
// keeping the texture saves a rasterisation and a texture upload a frame. Lines are rendered
// white; callers colour them by modulation. The least recently used line makes room for a new one.
class line_textures {
 public:
  struct line {
    SDL_Texture* texture = nullptr;
    int width = 0, height = 0;
  };

  line_textures() = default;
  ~line_textures() { clear(); }
  line_textures(const line_textures&) = delete;
  line_textures& operator=(const line_textures&) = delete;

  // The texture of `text` in `font`, rendered on first use; a null texture when it cannot be made.
  line get(SDL_Renderer* renderer, _TTF_Font* font, std::string_view text);
  // Destroys every texture: call before their renderer goes.
  void clear();

 private:
  static constexpr size_t capacity = 32;
  struct entry {
    _TTF_Font* font;
    std::string text;
    line rendered;
    uint64_t last_use;
  };
  std::vector<entry> entries_;
  uint64_t uses_ = 0;
};

}  // namespace varnel2d
