// Recording a frame from the display calls and replaying it on another display.
#include "recorded_frame.h"

#include <map>

namespace varnel2d::testing {

bool frame_recorder::open(const display_mode& mode) {
  current_.mode = mode;
  return inner_->open(mode);
}

image_handle frame_recorder::load_texture(const std::string& file, uint32_t colour_key) {
  const image_handle handle = inner_->load_texture(file, colour_key);
  current_.loads.push_back({handle, file, false, colour_key});
  return handle;
}

image_handle frame_recorder::load_surface(const std::string& file) {
  const image_handle handle = inner_->load_surface(file);
  current_.loads.push_back({handle, file, true, 0});
  return handle;
}

void frame_recorder::begin_frame() {
  current_.steps.clear();
  inner_->begin_frame();
}

void frame_recorder::copy_surface(image_handle surface) {
  recorded_frame::step step;
  step.what = recorded_frame::step::kind::copy_surface;
  step.quad.texture = surface;
  current_.steps.push_back(step);
  inner_->copy_surface(surface);
}

void frame_recorder::draw(const sprite_quad& quad) {
  recorded_frame::step step;
  step.quad = quad;
  current_.steps.push_back(std::move(step));
  inner_->draw(quad);
}

void frame_recorder::draw_text(const text_request& request) {
  recorded_frame::step step;
  step.what = recorded_frame::step::kind::text;
  step.text = request;
  step.text_bytes = request.text;
  step.face_bytes = request.face;
  current_.steps.push_back(std::move(step));
  inner_->draw_text(request);
}

void frame_recorder::present() {
  if (recording()) kept_ = current_;
  ++presents_;
  inner_->present();
}

bool replay(const recorded_frame& frame, display_device& display) {
  display_mode mode = frame.mode;
  mode.window = 0;
  if (!display.open(mode)) return false;
  std::map<image_handle, image_handle> handles;
  for (const recorded_frame::image_load& load : frame.loads) {
    const image_handle handle =
        load.surface ? display.load_surface(load.file) : display.load_texture(load.file, load.colour_key);
    if (handle == 0) return false;
    handles[load.handle] = handle;
  }
  display.begin_frame();
  for (const recorded_frame::step& step : frame.steps) {
    switch (step.what) {
      case recorded_frame::step::kind::copy_surface:
        display.copy_surface(handles[step.quad.texture]);
        break;
      case recorded_frame::step::kind::quad: {
        sprite_quad quad = step.quad;
        quad.texture = handles[quad.texture];
        display.draw(quad);
        break;
      }
      case recorded_frame::step::kind::text: {
        text_request text = step.text;
        text.text = step.text_bytes;
        text.face = step.face_bytes;
        display.draw_text(text);
        break;
      }
    }
  }
  return true;
}

}  // namespace varnel2d::testing
