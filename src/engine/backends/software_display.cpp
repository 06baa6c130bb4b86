// The CPU display: images, the frame's list of draws, composing it at the output's size (pictures
// drawn unturned at their own size come from a copy scaled once to the output; all other quads are
// mapped pixel by pixel), showing it in the window or in memory, and 640 x 480 screenshots composed
// on demand.
#include "engine/backends/software_display.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/backends/sdl_display_base.h"
#include "engine/backends/sdl_text.h"

namespace varnel2d {
namespace {

constexpr int32_t largest_texture_side = 16384;
constexpr size_t kept_lines = 32;
// A copy scaled to the output is dropped when its picture has not been drawn for this many frames.
constexpr uint64_t scaled_copy_idle_frames = 300;
constexpr uint32_t opaque_black = 0xFF000000u;
// Unturned scaled quads up to this many output pixels come from copies made at their size; a
// picture keeps at most this many such copies.
constexpr int32_t largest_sized_copy = 256 * 256;
constexpr size_t most_sized_copies = 512;

struct surface_owner {
  SDL_Surface* surface;
  ~surface_owner() { SDL_FreeSurface(surface); }
};

// The pixels of an ARGB8888 surface.
argb_image image_of(SDL_Surface* argb) {
  argb_image image;
  image.width = argb->w;
  image.height = argb->h;
  image.pixels.resize(static_cast<size_t>(argb->w) * argb->h);
  SDL_LockSurface(argb);
  for (int y = 0; y < argb->h; ++y)
    std::memcpy(image.pixels.data() + static_cast<size_t>(y) * argb->w,
                static_cast<const uint8_t*>(argb->pixels) + static_cast<ptrdiff_t>(y) * argb->pitch,
                static_cast<size_t>(argb->w) * 4);
  SDL_UnlockSurface(argb);
  image.opaque = all_opaque(image.pixels);
  return image;
}

// An image file as ARGB8888; nothing when it cannot be read.
SDL_Surface* load_argb(const std::string& file) {
  SDL_Surface* loaded = IMG_Load(file.c_str());
  if (loaded == nullptr) return nullptr;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  return argb;
}

int32_t rounded(float value) { return static_cast<int32_t>(std::lround(value)); }

// Drawn unturned at its own size: it can come straight from a copy scaled to the output.
bool straight(const sprite_quad& quad) { return quad.rotation == 0 && quad.scale_x == 1 && quad.scale_y == 1; }

}  // namespace

software_display::software_display() = default;
software_display::~software_display() { detach(); }

bool software_display::open(const display_mode& mode) {
  close();
  if (mode.width <= 0 || mode.height <= 0) return false;
  mode_ = mode;
  open_ = true;
  if (!fonts_) fonts_ = std::make_unique<font_cache>();
  resize_memory_output(mode.width, mode.height);
  return true;
}

void software_display::close() { detach(); }

bool software_display::attach_window(SDL_Window* window, const display_mode& mode, bool) {
  // The window's framebuffer as a plain image of the window (MIT-SHM on X11 where the server has
  // it), never as a texture of an OpenGL renderer that SDL would otherwise put behind it.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (mode.width <= 0 || mode.height <= 0 || SDL_GetWindowSurface(window) == nullptr) return false;
  mode_ = mode;
  open_ = true;
  window_ = window;
  if (!fonts_) fonts_ = std::make_unique<font_cache>();
  return true;
}

void software_display::detach() {
  open_ = false;
  window_ = nullptr;
  frame_.clear();
  images_.clear();
  lines_.clear();
  memory_.clear();
  memory_w_ = memory_h_ = 0;
  bars_drawn_on_ = nullptr;
}

void software_display::resize_memory_output(int32_t width, int32_t height) {
  memory_w_ = std::max(0, width);
  memory_h_ = std::max(0, height);
  memory_.assign(static_cast<size_t>(memory_w_) * memory_h_, opaque_black);
  bars_drawn_on_ = nullptr;
}

uint32_t software_display::shown_pixel(int32_t x, int32_t y) const {
  if (window_ != nullptr || x < 0 || y < 0 || x >= memory_w_ || y >= memory_h_) return 0;
  return memory_[static_cast<size_t>(y) * memory_w_ + x] | opaque_black;
}

image_size software_display::max_texture_size() {
  return open_ ? image_size{largest_texture_side, largest_texture_side} : image_size{};
}

image_handle software_display::keep(argb_image pixels) {
  auto kept = std::make_shared<picture>();
  kept->pixels = std::move(pixels);
  for (size_t i = 0; i < images_.size(); ++i) {
    if (!images_[i]) {
      images_[i] = std::move(kept);
      return static_cast<image_handle>(i + 1);
    }
  }
  images_.push_back(std::move(kept));
  return static_cast<image_handle>(images_.size());
}

std::shared_ptr<software_display::picture> software_display::find(image_handle handle) const {
  if (handle == 0 || handle > images_.size()) return nullptr;
  return images_[handle - 1];
}

image_handle software_display::load_texture(const std::string& file, uint32_t colour_key) {
  if (!open_) return 0;
  const surface_owner argb{load_argb(file)};
  if (argb.surface == nullptr || argb.surface->w > largest_texture_side || argb.surface->h > largest_texture_side)
    return 0;
  apply_colour_key(argb.surface, colour_key);
  return keep(image_of(argb.surface));
}

image_handle software_display::load_surface(const std::string& file) {
  if (!open_) return 0;
  const surface_owner argb{load_argb(file)};
  if (argb.surface == nullptr) return 0;
  argb_image background = image_of(argb.surface);
  for (uint32_t& pixel : background.pixels) pixel |= opaque_black;
  background.opaque = true;
  // Stretched to the back buffer once, as the picture the background copy lays down.
  if (background.width != mode_.width || background.height != mode_.height)
    background = resampled(background, mode_.width, mode_.height);
  return keep(std::move(background));
}

void software_display::release(image_handle image) {
  if (image != 0 && image <= images_.size()) images_[image - 1].reset();
}

image_size software_display::size_of(image_handle image) {
  const auto found = find(image);
  return found ? image_size{found->pixels.width, found->pixels.height} : image_size{};
}

void software_display::begin_frame() { frame_.clear(); }

void software_display::copy_surface(image_handle surface) {
  auto found = find(surface);
  if (!found) return;
  sprite_quad whole;
  whole.texture = surface;
  whole.right = found->pixels.width;
  whole.bottom = found->pixels.height;
  frame_.push_back({std::move(found), whole, {0, 0, mode_.width, mode_.height}});
}

void software_display::draw(const sprite_quad& quad) {
  if (auto found = find(quad.texture)) frame_.push_back({std::move(found), quad, {0, 0, mode_.width, mode_.height}});
}

std::shared_ptr<software_display::picture> software_display::rendered_line(_TTF_Font* font, std::string_view text) {
  ++line_uses_;
  for (kept_line& each : lines_) {
    if (each.font == font && each.text == text) {
      each.last_use = line_uses_;
      return each.line;
    }
  }
  const std::string copy(text);
  const surface_owner white{TTF_RenderUTF8_Blended(font, copy.c_str(), SDL_Color{255, 255, 255, 255})};
  if (white.surface == nullptr) return nullptr;
  const surface_owner argb{SDL_ConvertSurfaceFormat(white.surface, SDL_PIXELFORMAT_ARGB8888, 0)};
  if (argb.surface == nullptr) return nullptr;
  auto line = std::make_shared<picture>();
  line->pixels = image_of(argb.surface);
  if (lines_.size() == kept_lines) {
    lines_.erase(std::min_element(lines_.begin(), lines_.end(),
                                  [](const kept_line& a, const kept_line& b) { return a.last_use < b.last_use; }));
  }
  lines_.push_back({font, copy, line, line_uses_});
  return line;
}

void software_display::draw_text(const text_request& request) {
  if (!open_ || request.text.empty()) return;
  _TTF_Font* font = fonts_->get(request.face, request.points, request.bold, request.italic);
  if (font == nullptr) return;
  const screen_rect clip{request.left, request.top, request.right - request.left, request.bottom - request.top};
  if (clip.w <= 0 || clip.h <= 0) return;
  const std::vector<std::string_view> lines = text_lines(request.text);
  const int32_t skip = TTF_FontLineSkip(font);
  const auto count = static_cast<int32_t>(lines.size());
  for (int32_t i = 0; i < count; ++i) {
    if (lines[i].empty()) continue;
    auto line = rendered_line(font, lines[i]);
    if (!line) continue;
    const screen_rect at = placed_line(request, i, count, line->pixels.width, skip);
    sprite_quad quad;
    quad.right = line->pixels.width;
    quad.bottom = line->pixels.height;
    quad.x = static_cast<float>(at.x);
    quad.y = static_cast<float>(at.y);
    quad.colour = request.colour;
    frame_.push_back({std::move(line), quad, clip});
  }
}

bool software_display::background_covers_all() const {
  int64_t area = 0;
  std::vector<screen_rect> tiles;
  for (const command& each : frame_) {
    const sprite_quad& q = each.quad;
    if (!straight(q) || !each.source->pixels.opaque || (q.colour >> 24) != 255) break;
    const int32_t x = rounded(q.x), y = rounded(q.y);
    const pixel_box tile = intersection({x, y, x + q.right - q.left, y + q.bottom - q.top},
                                        intersection({0, 0, mode_.width, mode_.height},
                                                     {each.clip.x, each.clip.y, each.clip.x + each.clip.w,
                                                      each.clip.y + each.clip.h}));
    if (tile.empty()) continue;
    for (const screen_rect& other : tiles) {
      if (!intersection(tile, {other.x, other.y, other.x + other.w, other.y + other.h}).empty()) return false;
    }
    tiles.push_back({tile.x0, tile.y0, tile.x1 - tile.x0, tile.y1 - tile.y0});
    area += static_cast<int64_t>(tile.x1 - tile.x0) * (tile.y1 - tile.y0);
    if (area == static_cast<int64_t>(mode_.width) * mode_.height) return true;
  }
  return false;
}

const argb_image& software_display::sized_copy(picture& source, const sprite_quad& quad, int32_t w, int32_t h) {
  const std::array<int32_t, 6> key{quad.left, quad.top, quad.right, quad.bottom, w, h};
  if (auto found = source.sized.find(key); found != source.sized.end()) return found->second;
  if (source.sized.size() >= most_sized_copies) source.sized.clear();
  return source.sized[key] = resampled(source.pixels, {quad.left, quad.top, quad.right, quad.bottom}, w, h);
}

void software_display::compose(pixel_view target, const screen_rect& box) {
  const float fx = static_cast<float>(box.w) / static_cast<float>(mode_.width);
  const float fy = static_cast<float>(box.h) / static_cast<float>(mode_.height);
  const placement where{fx, fy, static_cast<float>(box.x), static_cast<float>(box.y)};
  const pixel_box area{box.x, box.y, box.x + box.w, box.y + box.h};
  // Back-buffer x or y to the target's, rounded the same way for every edge so tiles meet.
  const auto to_x = [&](float x) { return box.x + rounded(x * fx); };
  const auto to_y = [&](float y) { return box.y + rounded(y * fy); };
  if (!background_covers_all()) fill(target, area, opaque_black);
  for (const command& each : frame_) {
    picture& source = *each.source;
    source.last_drawn = frames_;
    const sprite_quad& q = each.quad;
    const pixel_box clip = intersection(area, {to_x(static_cast<float>(each.clip.x)), to_y(static_cast<float>(each.clip.y)),
                                               to_x(static_cast<float>(each.clip.x + each.clip.w)),
                                               to_y(static_cast<float>(each.clip.y + each.clip.h))});
    if (q.rotation == 0 && !straight(q)) {
      // Unturned but scaled: from a copy made at its output size, when that is small.
      const int32_t x = to_x(q.x), y = to_y(q.y);
      const int32_t w = to_x(q.x + static_cast<float>(q.right - q.left) * q.scale_x) - x;
      const int32_t h = to_y(q.y + static_cast<float>(q.bottom - q.top) * q.scale_y) - y;
      if (w > 0 && h > 0 && w * h <= largest_sized_copy) {
        draw_straight(target, clip, sized_copy(source, q, w, h), 0, 0, w, h, x, y, q.colour);
        continue;
      }
    }
    if (!straight(q)) {
      draw_quad(target, clip, source.pixels, q, where, scratch_);
      continue;
    }
    const bool unscaled = fx == 1 && fy == 1;
    if (!unscaled && (source.scaled_x != fx || source.scaled_y != fy)) {
      source.scaled = resampled(source.pixels, rounded(static_cast<float>(source.pixels.width) * fx),
                                rounded(static_cast<float>(source.pixels.height) * fy));
      source.scaled_x = fx;
      source.scaled_y = fy;
    }
    const argb_image& image = unscaled ? source.pixels : source.scaled;
    const int32_t x = to_x(q.x), y = to_y(q.y);
    const int32_t w = to_x(q.x + static_cast<float>(q.right - q.left)) - x;
    const int32_t h = to_y(q.y + static_cast<float>(q.bottom - q.top)) - y;
    int32_t from_x = rounded(static_cast<float>(q.left) * fx), from_y = rounded(static_cast<float>(q.top) * fy);
    // Rounding may reach one pixel past the scaled copy's edge: take that column or row from inside.
    if (from_x + w == image.width + 1) --from_x;
    if (from_y + h == image.height + 1) --from_y;
    draw_straight(target, clip, image, from_x, from_y, w, h, x, y, q.colour);
  }
}

void software_display::drop_unused_scaled_copies() {
  for (const auto& image : images_) {
    if (image && frames_ - image->last_drawn > scaled_copy_idle_frames) {
      image->scaled = {};
      image->scaled_x = image->scaled_y = 0;
      image->sized.clear();
    }
  }
}

void software_display::present() {
  if (!open_) return;
  SDL_Surface* surface = nullptr;
  pixel_view view;
  bool direct = true;
  if (window_ != nullptr) {
    surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr || SDL_LockSurface(surface) != 0) return;
    const SDL_PixelFormat& format = *surface->format;
    direct = format.BytesPerPixel == 4 && format.Rmask == 0xFF0000u && format.Gmask == 0xFF00u && format.Bmask == 0xFFu;
    if (direct) {
      view = {static_cast<uint32_t*>(surface->pixels), surface->w, surface->h, surface->pitch / 4};
    } else {
      if (memory_w_ != surface->w || memory_h_ != surface->h) resize_memory_output(surface->w, surface->h);
    }
  }
  if (!direct || window_ == nullptr) view = {memory_.data(), memory_w_, memory_h_, memory_w_};
  const screen_rect box = letterbox(mode_.width, mode_.height, view.width, view.height);
  // The bars beside the letterbox stay black: drawn once for each output.
  const bool whole = bars_drawn_on_ != view.pixels || bars_w_ != view.width || bars_h_ != view.height;
  if (whole) {
    fill(view, {0, 0, view.width, view.height}, opaque_black);
    bars_drawn_on_ = view.pixels;
    bars_w_ = view.width;
    bars_h_ = view.height;
  }
  compose(view, box);
  if (surface != nullptr) {
    if (!direct)
      SDL_ConvertPixels(view.width, view.height, SDL_PIXELFORMAT_ARGB8888, view.pixels, view.pitch * 4,
                        surface->format->format, surface->pixels, surface->pitch);
    SDL_UnlockSurface(surface);
    const SDL_Rect shown = whole || !direct ? SDL_Rect{0, 0, view.width, view.height} : SDL_Rect{box.x, box.y, box.w, box.h};
    SDL_UpdateWindowSurfaceRects(window_, &shown, 1);
  }
  ++frames_;
  if (frames_ % 60 == 0) drop_unused_scaled_copies();
}

bool software_display::save_screenshot(const std::string& file) {
  if (!open_) return false;
  std::vector<uint32_t> shot(static_cast<size_t>(mode_.width) * mode_.height);
  compose({shot.data(), mode_.width, mode_.height, mode_.width}, {0, 0, mode_.width, mode_.height});
  const surface_owner argb{SDL_CreateRGBSurfaceWithFormatFrom(shot.data(), mode_.width, mode_.height, 32,
                                                               mode_.width * 4, SDL_PIXELFORMAT_ARGB8888)};
  if (argb.surface == nullptr) return false;
  const surface_owner bgr{SDL_ConvertSurfaceFormat(argb.surface, SDL_PIXELFORMAT_BGR24, 0)};
  return bgr.surface != nullptr && SDL_SaveBMP(bgr.surface, file.c_str()) == 0;
}

}  // namespace varnel2d
