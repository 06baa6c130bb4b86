// Recording a frame from the display calls and replaying it on another display.
#include "recorded_frame.h"

#include <algorithm>
#include <string>

namespace varnel2d::testing {

bool frame_recorder::open(const display_mode& mode) {
  current_.mode = mode;
  return inner_->open(mode);
}

image_handle frame_recorder::load_texture(const std::string& file, uint32_t colour_key) {
  const image_handle handle = inner_->load_texture(file, colour_key);
  current_.loads.push_back([=](display_device& display, auto& images) {
    images[handle] = display.load_texture(file, colour_key);
  });
  return handle;
}

image_handle frame_recorder::load_surface(const std::string& file) {
  const image_handle handle = inner_->load_surface(file);
  current_.loads.push_back([=](display_device& display, auto& images) { images[handle] = display.load_surface(file); });
  return handle;
}

void frame_recorder::begin_frame() {
  current_.steps.clear();
  inner_->begin_frame();
}

void frame_recorder::copy_surface(image_handle surface) {
  current_.steps.push_back([=](display_device& display, auto& images) { display.copy_surface(images[surface]); });
  inner_->copy_surface(surface);
}

void frame_recorder::draw(const sprite_quad& quad) {
  current_.steps.push_back([=](display_device& display, auto& images) {
    sprite_quad own = quad;
    own.texture = images[quad.texture];
    display.draw(own);
  });
  inner_->draw(quad);
}

void frame_recorder::draw_text(const text_request& request) {
  current_.steps.push_back([=, text = std::string(request.text), face = std::string(request.face)](
                               display_device& display, auto&) {
    text_request own = request;
    own.text = text;
    own.face = face;
    display.draw_text(own);
  });
  inner_->draw_text(request);
}

void frame_recorder::present() {
  if (++presents_ == frame_to_keep_) kept_ = current_;
  inner_->present();
}

bool replay(const recorded_frame& frame, display_device& display) {
  display_mode mode = frame.mode;
  mode.window = 0;
  if (!display.open(mode)) return false;
  std::map<image_handle, image_handle> images;
  for (const recorded_call& load : frame.loads) load(display, images);
  display.begin_frame();
  for (const recorded_call& step : frame.steps) step(display, images);
  return std::none_of(images.begin(), images.end(), [](const auto& image) { return image.second == 0; });
}

}  // namespace varnel2d::testing
