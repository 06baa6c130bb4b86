// The display seam: a back buffer of the requested size that the engine clears, fills with textured
// quads and text, presents and saves. Backends: sdl_display (a real window), headless_display
// (rasterises into memory), recording_display (keeps every call).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnel2d {

// A native window to render into; 0 lets the display open its own full-screen window.
using native_window = std::uint64_t;

// A texture or surface held by a display; 0 is none.
using image_handle = std::uint32_t;

struct display_mode {
  native_window window = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t depth = 32;  // 16 gives a 5-6-5 back buffer, anything else 8-8-8
};

// What a device-state query can answer: draw on, keep waiting, or rebuild everything.
enum class device_state { usable, lost, ready_to_rebuild };

// The next of a test double's scripted states, taken off the list; usable once they have run out.
inline device_state next_scripted_state(std::vector<device_state>& upcoming) {
  if (upcoming.empty()) return device_state::usable;
  const device_state next = upcoming.front();
  upcoming.erase(upcoming.begin());
  return next;
}

// One textured quad: the source rectangle is scaled, turned about the rotation centre, moved by
// the translation and modulated by the colour.
struct sprite_quad {
  image_handle texture = 0;
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // source rectangle in texture pixels
  float scale_x = 1.0f, scale_y = 1.0f;
  float centre_x = 0.0f, centre_y = 0.0f;  // rotation centre, scaled pixels from the top-left corner
  float rotation = 0.0f;                   // radians; positive turns counter-clockwise on screen
  float x = 0.0f, y = 0.0f;                // where the unturned top-left corner lands
  uint32_t colour = 0xFFFFFFFFu;           // ARGB
};

struct screen_point {
  float x = 0.0f, y = 0.0f;
};

// The four screen corners of a quad, clockwise from the source's top-left corner.
std::array<screen_point, 4> quad_corners(const sprite_quad& quad);

struct screen_rect {
  int32_t x = 0, y = 0, w = 0, h = 0;
};

// The largest rectangle of the source's aspect ratio centred in the output (letterboxed).
screen_rect letterbox(int32_t source_w, int32_t source_h, int32_t output_w, int32_t output_h);

enum class text_align { left_top, right, centre };

struct text_request {
  std::string_view text;
  std::string_view face;  // font family name, resolved by fontconfig
  double points = 0.0;    // at 96 dots per inch
  bool bold = false, italic = false;
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // clipping rectangle
  text_align align = text_align::left_top;
  uint32_t colour = 0xFFFFFFFFu;  // ARGB
};

struct image_size {
  int32_t width = 0, height = 0;
};

class display_device {
 public:
  virtual ~display_device() = default;

  // Opens the window (or memory target) and a back buffer of mode.width x mode.height.
  virtual bool open(const display_mode& mode) = 0;
  // Releases every image and the device; safe to call when not open.
  virtual void close() = 0;
  // Takes the window off the screen at once, ahead of a release that may take a while.
  virtual void hide() {}
  // True once a host's window that the display draws into has been destroyed: nothing drawn
  // can be seen any more.
  virtual bool window_gone() { return false; }
  virtual device_state state() = 0;
  virtual image_size max_texture_size() = 0;

  // A texture from an image file; pixels exactly equal to colour_key (ARGB, 0 for none) become
  // transparent black. 0 when the file cannot be read or the device refuses it.
  virtual image_handle load_texture(const std::string& file, uint32_t colour_key) = 0;
  // A screen-sized opaque surface, the picture stretched to fill it. 0 on failure.
  virtual image_handle load_surface(const std::string& file) = 0;
  virtual void release(image_handle image) = 0;
  virtual image_size size_of(image_handle image) = 0;

  // Starts a frame: the back buffer is cleared to black.
  virtual void begin_frame() = 0;
  // Copies a whole surface onto the back buffer.
  virtual void copy_surface(image_handle surface) = 0;
  // Draws one quad, alpha-blended. Backends may batch; order is always kept.
  virtual void draw(const sprite_quad& quad) = 0;
  virtual void draw_text(const text_request& request) = 0;
  // Shows the back buffer, scaled once to fill the screen, letterboxed.
  virtual void present() = 0;
  // Saves the back buffer as a 24-bit BMP file.
  virtual bool save_screenshot(const std::string& file) = 0;
};

}  // namespace varnel2d
