// The shared SDL renderer code: images with a colour key, quads batched per texture into one
// SDL_RenderGeometry call (or copied one by one on the software renderer), text, present, BMP saves.
#include "engine/backends/sdl_display_base.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cmath>
#include <cstddef>
#include <numbers>
#include <string_view>

#include "engine/backends/sdl_text.h"

namespace varnel2d {
namespace {

static_assert(sizeof(render_vertex) == sizeof(SDL_Vertex));
static_assert(offsetof(render_vertex, r) == offsetof(SDL_Vertex, color));
static_assert(offsetof(render_vertex, u) == offsetof(SDL_Vertex, tex_coord));

constexpr float degrees_per_radian = 180.0f / std::numbers::pi_v<float>;
// Software renderers report no limit; this is the largest surface side we let them make.
constexpr int32_t unlimited_texture_side = 16384;

uint8_t channel(uint32_t argb, int shift) { return static_cast<uint8_t>((argb >> shift) & 0xFFu); }

struct surface_owner {
  SDL_Surface* surface;
  ~surface_owner() { SDL_FreeSurface(surface); }
};

}  // namespace

void apply_colour_key(SDL_Surface* argb, uint32_t key) {
  if (key == 0 || SDL_LockSurface(argb) != 0) return;
  for (int y = 0; y < argb->h; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(argb->pixels) + y * argb->pitch);
    for (int x = 0; x < argb->w; ++x)
      if (row[x] == key) row[x] = 0;
  }
  SDL_UnlockSurface(argb);
}

sdl_display_base::sdl_display_base() = default;
sdl_display_base::~sdl_display_base() = default;

bool sdl_display_base::attach_window(SDL_Window* window, const display_mode& mode, bool vsync) {
  Uint32 flags = SDL_RENDERER_TARGETTEXTURE;
  if (vsync) flags |= SDL_RENDERER_PRESENTVSYNC;
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, flags);
  return renderer != nullptr && attach(renderer, mode);
}

bool sdl_display_base::attach(SDL_Renderer* renderer, const display_mode& mode) {
  renderer_ = renderer;
  mode_ = mode;
  copy_each_quad_ = std::string_view(renderer_name()) == "software";
  const Uint32 format = mode.depth == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
  back_buffer_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_TARGET, mode.width, mode.height);
  if (back_buffer_ == nullptr || SDL_SetRenderTarget(renderer_, back_buffer_) != 0) return false;
  SDL_SetTextureScaleMode(back_buffer_, SDL_ScaleModeLinear);
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
  if (!fonts_) fonts_ = std::make_unique<font_cache>();
  vertices_.reserve(4 * 4096);
  indices_.reserve(6 * 4096);
  return true;
}

void sdl_display_base::detach() {
  vertices_.clear();
  indices_.clear();
  pending_ = 0;
  for (image& each : images_)
    if (each.texture != nullptr) SDL_DestroyTexture(each.texture);
  images_.clear();
  lines_.clear();
  if (back_buffer_ != nullptr) SDL_DestroyTexture(back_buffer_);
  back_buffer_ = nullptr;
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  renderer_ = nullptr;
}

const char* sdl_display_base::renderer_name() const {
  SDL_RendererInfo info{};
  if (renderer_ == nullptr || SDL_GetRendererInfo(renderer_, &info) != 0) return "";
  return info.name;
}

image_size sdl_display_base::max_texture_size() {
  SDL_RendererInfo info{};
  if (renderer_ == nullptr || SDL_GetRendererInfo(renderer_, &info) != 0) return {};
  return {info.max_texture_width > 0 ? info.max_texture_width : unlimited_texture_side,
          info.max_texture_height > 0 ? info.max_texture_height : unlimited_texture_side};
}

image_handle sdl_display_base::keep(SDL_Texture* texture, int32_t width, int32_t height) {
  for (size_t i = 0; i < images_.size(); ++i) {
    if (images_[i].texture == nullptr) {
      images_[i] = {texture, width, height};
      return static_cast<image_handle>(i + 1);
    }
  }
  images_.push_back({texture, width, height});
  return static_cast<image_handle>(images_.size());
}

sdl_display_base::image* sdl_display_base::find(image_handle handle) {
  if (handle == 0 || handle > images_.size() || images_[handle - 1].texture == nullptr) return nullptr;
  return &images_[handle - 1];
}

image_handle sdl_display_base::load_texture(const std::string& file, uint32_t colour_key) {
  if (renderer_ == nullptr) return 0;
  SDL_Surface* loaded = IMG_Load(file.c_str());
  if (loaded == nullptr) return 0;
  surface_owner argb{SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0)};
  SDL_FreeSurface(loaded);
  if (argb.surface == nullptr) return 0;
  const image_size limit = max_texture_size();
  if (argb.surface->w > limit.width || argb.surface->h > limit.height) return 0;
  apply_colour_key(argb.surface, colour_key);
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, argb.surface);
  if (texture == nullptr) return 0;
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
  return keep(texture, argb.surface->w, argb.surface->h);
}

image_handle sdl_display_base::load_surface(const std::string& file) {
  if (renderer_ == nullptr) return 0;
  SDL_Surface* loaded = IMG_Load(file.c_str());
  if (loaded == nullptr) return 0;
  // The surface keeps the back buffer's format; it is stretched to the screen when copied.
  const Uint32 format = mode_.depth == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
  surface_owner converted{SDL_ConvertSurfaceFormat(loaded, format, 0)};
  SDL_FreeSurface(loaded);
  if (converted.surface == nullptr) return 0;
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, converted.surface);
  if (texture == nullptr) return 0;
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
  return keep(texture, mode_.width, mode_.height);
}

void sdl_display_base::release(image_handle handle) {
  image* found = find(handle);
  if (found == nullptr) return;
  if (pending_ == handle) flush();
  SDL_DestroyTexture(found->texture);
  *found = {};
}

image_size sdl_display_base::size_of(image_handle handle) {
  const image* found = find(handle);
  return found == nullptr ? image_size{} : image_size{found->width, found->height};
}

void sdl_display_base::begin_frame() {
  if (renderer_ == nullptr) return;
  flush();
  SDL_SetRenderTarget(renderer_, back_buffer_);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
}

void sdl_display_base::copy_surface(image_handle surface) {
  const image* found = find(surface);
  if (found == nullptr) return;
  flush();
  SDL_RenderCopy(renderer_, found->texture, nullptr, nullptr);
}

void sdl_display_base::draw(const sprite_quad& quad) {
  const image* source = find(quad.texture);
  if (source == nullptr) return;
  if (copy_each_quad_ && quad.scale_x > 0 && quad.scale_y > 0) {
    flush();
    copy_quad(*source, quad);
    return;
  }
  if (pending_ != quad.texture) flush();
  pending_ = quad.texture;
  append_quad(*source, quad);
}

void sdl_display_base::copy_quad(const image& source, const sprite_quad& quad) {
  const SDL_Rect from{quad.left, quad.top, quad.right - quad.left, quad.bottom - quad.top};
  const SDL_FRect to{quad.x, quad.y, static_cast<float>(from.w) * quad.scale_x,
                     static_cast<float>(from.h) * quad.scale_y};
  const SDL_FPoint centre{quad.centre_x, quad.centre_y};
  SDL_SetTextureColorMod(source.texture, channel(quad.colour, 16), channel(quad.colour, 8), channel(quad.colour, 0));
  SDL_SetTextureAlphaMod(source.texture, channel(quad.colour, 24));
  // SDL turns clockwise for positive degrees; the quad's rotation is counter-clockwise.
  SDL_RenderCopyExF(renderer_, source.texture, &from, &to, -quad.rotation * degrees_per_radian, &centre,
                    SDL_FLIP_NONE);
}

void sdl_display_base::append_quad(const image& source, const sprite_quad& quad) {
  const auto corners = quad_corners(quad);
  const float tw = static_cast<float>(source.width);
  const float th = static_cast<float>(source.height);
  const float u0 = static_cast<float>(quad.left) / tw, u1 = static_cast<float>(quad.right) / tw;
  const float v0 = static_cast<float>(quad.top) / th, v1 = static_cast<float>(quad.bottom) / th;
  const uint8_t r = channel(quad.colour, 16), g = channel(quad.colour, 8), b = channel(quad.colour, 0);
  const uint8_t a = channel(quad.colour, 24);
  const int first = static_cast<int>(vertices_.size());
  vertices_.push_back({corners[0].x, corners[0].y, r, g, b, a, u0, v0});
  vertices_.push_back({corners[1].x, corners[1].y, r, g, b, a, u1, v0});
  vertices_.push_back({corners[2].x, corners[2].y, r, g, b, a, u1, v1});
  vertices_.push_back({corners[3].x, corners[3].y, r, g, b, a, u0, v1});
  for (const int corner : {0, 1, 2, 0, 2, 3}) indices_.push_back(first + corner);
}

void sdl_display_base::flush() {
  if (pending_ != 0 && !vertices_.empty()) {
    if (const image* source = find(pending_)) {
      SDL_RenderGeometry(renderer_, source->texture, reinterpret_cast<const SDL_Vertex*>(vertices_.data()),
                         static_cast<int>(vertices_.size()), indices_.data(), static_cast<int>(indices_.size()));
    }
  }
  vertices_.clear();
  indices_.clear();
  pending_ = 0;
}

void sdl_display_base::draw_text(const text_request& request) {
  if (renderer_ == nullptr || request.text.empty()) return;
  TTF_Font* font = fonts_->get(request.face, request.points, request.bold, request.italic);
  if (font == nullptr) return;
  flush();
  const SDL_Rect clip{request.left, request.top, request.right - request.left, request.bottom - request.top};
  if (clip.w <= 0 || clip.h <= 0) return;
  SDL_RenderSetClipRect(renderer_, &clip);
  const std::vector<std::string_view> lines = text_lines(request.text);
  const int skip = TTF_FontLineSkip(font);
  const auto count = static_cast<int32_t>(lines.size());
  for (int32_t i = 0; i < count; ++i) {
    if (lines[i].empty()) continue;
    const line_textures::line rendered = lines_.get(renderer_, font, lines[i]);
    if (rendered.texture == nullptr) continue;
    SDL_SetTextureColorMod(rendered.texture, channel(request.colour, 16), channel(request.colour, 8),
                           channel(request.colour, 0));
    SDL_SetTextureAlphaMod(rendered.texture, channel(request.colour, 24));
    const screen_rect at = placed_line(request, i, count, rendered.width, skip);
    const SDL_Rect to{at.x, at.y, rendered.width, rendered.height};
    SDL_RenderCopy(renderer_, rendered.texture, nullptr, &to);
  }
  SDL_RenderSetClipRect(renderer_, nullptr);
}

void sdl_display_base::present() {
  if (renderer_ == nullptr) return;
  flush();
  SDL_SetRenderTarget(renderer_, nullptr);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  int out_w = 0, out_h = 0;
  SDL_GetRendererOutputSize(renderer_, &out_w, &out_h);
  const screen_rect box = letterbox(mode_.width, mode_.height, out_w, out_h);
  const SDL_Rect to{box.x, box.y, box.w, box.h};
  SDL_RenderCopy(renderer_, back_buffer_, nullptr, &to);
  SDL_RenderPresent(renderer_);
  SDL_SetRenderTarget(renderer_, back_buffer_);
}

bool sdl_display_base::save_screenshot(const std::string& file) {
  if (renderer_ == nullptr) return false;
  flush();
  surface_owner shot{SDL_CreateRGBSurfaceWithFormat(0, mode_.width, mode_.height, 24, SDL_PIXELFORMAT_BGR24)};
  if (shot.surface == nullptr) return false;
  if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_BGR24, shot.surface->pixels, shot.surface->pitch) != 0)
    return false;
  return SDL_SaveBMP(shot.surface, file.c_str()) == 0;
}

}  // namespace varnel2d
