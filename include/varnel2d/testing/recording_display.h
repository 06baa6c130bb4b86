// A display double that keeps every call: opened modes, loaded files, quads, text and presents,
// so tests can assert the exact numbers the engine sends. Image sizes come from the real files.
#pragma once

#include <string>
#include <vector>

#include <varnel2d/display_device.h>

namespace varnel2d {

struct recorded_text {
  std::string text, face;
  double points = 0.0;
  bool bold = false, italic = false;
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  text_align align = text_align::left_top;
  uint32_t colour = 0;
};

class recording_display final : public display_device {
 public:
  bool open(const display_mode& mode) override;
  void close() override;
  device_state state() override;
  image_size max_texture_size() override { return {4096, 4096}; }
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

  // Answers of the following state() calls, oldest first; then usable.
  std::vector<device_state> upcoming_states;
  bool fail_open = false;

  std::vector<display_mode> opened;
  int32_t closes = 0;
  std::vector<std::string> calls;  // "begin", "surface", "quad", "text", "present", "screenshot"
  std::vector<sprite_quad> quads;
  std::vector<image_handle> surfaces_copied;
  std::vector<recorded_text> texts;
  std::vector<std::string> texture_files;  // every load_texture request, in order
  std::vector<uint32_t> colour_keys;
  std::vector<std::string> screenshots;
  int32_t presents = 0;
  bool is_open = false;

  // Handles still held.
  int32_t live_images() const;

 private:
  struct image {
    bool live = false;
    image_size size;
  };
  image_handle keep(image_size size);
  std::vector<image> images_;
};

}  // namespace varnel2d
