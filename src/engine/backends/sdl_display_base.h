// What the window display and the headless display share: an SDL renderer drawing into a
// width x height back-buffer texture, images, batched quads, text and screenshots.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <varnel2d/display_device.h>
#include "engine/backends/sdl_text.h"

struct SDL_Renderer;
struct SDL_Surface;
struct SDL_Texture;
struct SDL_Window;

namespace varnel2d {

// Laid out exactly as SDL_Vertex, so a batch goes to SDL_RenderGeometry as it is.
struct render_vertex {
  float x, y;
  uint8_t r, g, b, a;
  float u, v;
};

// Pixels of an ARGB8888 surface exactly equal to the key (alpha included) become transparent
// black; a key of 0 keys nothing.
void apply_colour_key(SDL_Surface* argb, uint32_t key);

class sdl_display_base : public display_device {
 public:
  sdl_display_base();
  ~sdl_display_base() override;

  image_size max_texture_size() override;
  image_handle load_texture(const std::string& file, uint32_t colour_key) override;
  image_handle load_surface(const std::string& file) override;
  void release(image_handle image) override;
  image_size size_of(image_handle image) override;
  void begin_frame() override;
  void copy_surface(image_handle surface) override;
  void draw(const sprite_quad& quad) override;
  void draw_text(const text_request& request) override;
  void present() override;
  bool save_screenshot(const std::string& file) override;

 protected:
  static constexpr bool draws_with_opengl = true;
  // Makes a renderer for the window and the back buffer; false when it cannot.
  bool attach_window(SDL_Window* window, const display_mode& mode, bool vsync);
  // Takes over an open renderer and makes the back buffer; false when it cannot.
  bool attach(SDL_Renderer* renderer, const display_mode& mode);
  // Releases every image, the back buffer and the renderer.
  void detach();
  // Sends the pending run of quads to the renderer.
  void flush();
  // The renderer's name, e.g. "opengl" or "software".
  const char* renderer_name() const;
  SDL_Renderer* renderer() const { return renderer_; }
  SDL_Texture* back_buffer() const { return back_buffer_; }

 private:
  struct image {
    SDL_Texture* texture = nullptr;
    int32_t width = 0, height = 0;
  };
  image_handle keep(SDL_Texture* texture, int32_t width, int32_t height);
  image* find(image_handle handle);
  void copy_quad(const image& source, const sprite_quad& quad);
  void append_quad(const image& source, const sprite_quad& quad);

  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* back_buffer_ = nullptr;
  display_mode mode_;
  bool copy_each_quad_ = false;  // the software renderer copies quads one by one (faster there)
  std::vector<image> images_;    // handle - 1
  image_handle pending_ = 0;     // texture of the quads waiting in the batch
  std::vector<render_vertex> vertices_;
  std::vector<int> indices_;
  std::unique_ptr<font_cache> fonts_;
  line_textures lines_;
};

}  // namespace varnel2d
