// A display double that really rasterises: SDL's software renderer drawing into memory, with the
// back buffer's pixels readable and device states that tests can set.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <varnel2d/display_device.h>

namespace varnel2d {

class memory_renderer;

class headless_display final : public display_device {
 public:
  headless_display();
  ~headless_display() override;

  bool open(const display_mode& mode) override;
  void close() override;
  device_state state() override;
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

  // The back buffer's pixel as ARGB (pending quads are drawn first); 0 while closed.
  uint32_t pixel(int32_t x, int32_t y);
  // Answers of the following state() calls, oldest first; then usable. A rebuild keeps them, so
  // a loss can follow right after one.
  std::vector<device_state> upcoming_states;
  // Makes open() fail, as a device that cannot be made again does.
  bool fail_open = false;
  int32_t opens() const { return opens_; }
  int32_t presents() const { return presents_; }
  int32_t depth() const { return depth_; }

 private:
  std::unique_ptr<memory_renderer> renderer_;
  int32_t opens_ = 0;
  int32_t presents_ = 0;
  int32_t depth_ = 0;
};

}  // namespace varnel2d
