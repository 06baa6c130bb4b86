// One frame as a display saw it (the images loaded up to it, then the frame's surface copies, quads
// and text), recorded once and replayed on any display, so two backends draw exactly the same frame.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <varnel2d/display_device.h>

namespace varnel2d::testing {

// One call replayed on a display; `images` maps the recorded handles to the display's own.
using recorded_call = std::function<void(display_device& display, std::map<image_handle, image_handle>& images)>;

struct recorded_frame {
  display_mode mode;
  std::vector<recorded_call> loads, steps;
};

// A display that passes every call to `inner` and records the frame presented as number
// `frame_to_keep` (from 1).
class frame_recorder final : public display_device {
 public:
  frame_recorder(std::unique_ptr<display_device> inner, int32_t frame_to_keep)
      : inner_(std::move(inner)), frame_to_keep_(frame_to_keep) {}

  bool open(const display_mode& mode) override;
  void close() override { inner_->close(); }
  device_state state() override { return inner_->state(); }
  image_size max_texture_size() override { return inner_->max_texture_size(); }
  image_handle load_texture(const std::string& file, uint32_t colour_key) override;
  image_handle load_surface(const std::string& file) override;
  void release(image_handle image) override { inner_->release(image); }
  image_size size_of(image_handle image) override { return inner_->size_of(image); }
  void begin_frame() override;
  void copy_surface(image_handle surface) override;
  void draw(const sprite_quad& quad) override;
  void draw_text(const text_request& request) override;
  void present() override;
  bool save_screenshot(const std::string& file) override { return inner_->save_screenshot(file); }

  // The kept frame; no steps until it has been presented.
  const recorded_frame& kept() const { return kept_; }

 private:
  std::unique_ptr<display_device> inner_;
  int32_t frame_to_keep_;
  int32_t presents_ = 0;
  recorded_frame current_, kept_;
};

// Opens `display` in the recorded mode (in a window of its own), loads the images and draws the
// frame; true when the display opened and every image loaded.
bool replay(const recorded_frame& frame, display_device& display);

}  // namespace varnel2d::testing
