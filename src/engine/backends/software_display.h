// The display that draws without OpenGL: textures are ARGB pixels in memory, each frame's draws
// are kept as a list and composed on the CPU at the output's own size (the back buffer's
// coordinates scaled and letterboxed into it), then shown as an image of the window (SDL's window
// framebuffer: MIT-SHM images on X11 where the server offers them, plain images otherwise).
// Without a window it composes into memory, which tests read.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <varnel2d/display_device.h>
#include "engine/backends/software_raster.h"

struct SDL_Window;
struct _TTF_Font;

namespace varnel2d {

class font_cache;

class software_display : public display_device {
 public:
  software_display();
  ~software_display() override;

  // Opens on a memory output of the back buffer's size.
  bool open(const display_mode& mode) override;
  void close() override;
  device_state state() override { return device_state::usable; }
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

  // The memory output's size; the next present letterboxes into it.
  void resize_memory_output(int32_t width, int32_t height);
  // A pixel of the memory output as opaque ARGB.
  uint32_t shown_pixel(int32_t x, int32_t y) const;

 protected:
  static constexpr bool draws_with_opengl = false;
  // Shows frames in the window's framebuffer from now on.
  bool attach_window(SDL_Window* window, const display_mode& mode, bool vsync);
  void detach();

 private:
  // A texture, a surface or a line of text, with its copy scaled to the output once, and copies of
  // rectangles of it at the output sizes that unturned scaled quads (snowflakes) were drawn at.
  struct picture {
    argb_image pixels;
    argb_image scaled;
    float scaled_x = 0, scaled_y = 0;  // the factors `scaled` was made for
    std::map<std::array<int32_t, 6>, argb_image> sized;  // left, top, right, bottom, width, height
    uint64_t last_drawn = 0;                              // frame number
  };
  // The quad's source rectangle resampled to w x h, made on first use.
  static const argb_image& sized_copy(picture& source, const sprite_quad& quad, int32_t w, int32_t h);
  struct command {
    std::shared_ptr<picture> source;
    sprite_quad quad;
    screen_rect clip;  // back-buffer pixels
  };
  struct kept_line {
    _TTF_Font* font;
    std::string text;
    std::shared_ptr<picture> line;
    uint64_t last_use;
  };

  image_handle keep(argb_image pixels);
  std::shared_ptr<picture> find(image_handle handle) const;
  std::shared_ptr<picture> rendered_line(_TTF_Font* font, std::string_view text);
  // Composes the frame's draws into `target`, the back buffer letterboxed into `box`.
  void compose(pixel_view target, const screen_rect& box);
  // True when the frame's first draws are opaque pictures that tile the whole back buffer.
  bool background_covers_all() const;
  void drop_unused_scaled_copies();

  display_mode mode_;
  bool open_ = false;
  SDL_Window* window_ = nullptr;
  std::vector<std::shared_ptr<picture>> images_;  // handle - 1
  std::vector<command> frame_;
  std::vector<uint32_t> scratch_;
  std::vector<uint32_t> memory_;  // the memory output, or the window's when its format differs
  int32_t memory_w_ = 0, memory_h_ = 0;
  const void* bars_drawn_on_ = nullptr;  // the output whose letterbox bars are black already
  int32_t bars_w_ = 0, bars_h_ = 0;
  uint64_t frames_ = 0;
  std::unique_ptr<font_cache> fonts_;
  std::vector<kept_line> lines_;
  uint64_t line_uses_ = 0;
};

}  // namespace varnel2d
