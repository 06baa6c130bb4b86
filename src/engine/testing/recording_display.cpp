// The recording display: no drawing, only a faithful log of what was asked.
#include <varnel2d/testing/recording_display.h>

#include <SDL_image.h>

namespace varnel2d {
namespace {
// The size of a readable image file; nothing when it is missing or no image.
bool read_size(const std::string& file, image_size& size) {
  SDL_Surface* loaded = IMG_Load(file.c_str());
  if (loaded == nullptr) return false;
  size = {loaded->w, loaded->h};
  SDL_FreeSurface(loaded);
  return true;
}
}  // namespace

bool recording_display::open(const display_mode& mode) {
  opened.push_back(mode);
  is_open = !fail_open;
  return is_open;
}

void recording_display::close() {
  ++closes;
  is_open = false;
  images_.clear();
}

device_state recording_display::state() { return next_scripted_state(upcoming_states); }

image_handle recording_display::keep(image_size size) {
  images_.push_back({true, size});
  return static_cast<image_handle>(images_.size());
}

image_handle recording_display::load_texture(const std::string& file, uint32_t colour_key) {
  texture_files.push_back(file);
  colour_keys.push_back(colour_key);
  image_size size;
  if (!is_open || !read_size(file, size)) return 0;
  return keep(size);
}

image_handle recording_display::load_surface(const std::string& file) {
  image_size size;
  if (!is_open || !read_size(file, size)) return 0;
  return keep(opened.back().width > 0 ? image_size{opened.back().width, opened.back().height} : size);
}

void recording_display::release(image_handle handle) {
  if (handle >= 1 && handle <= images_.size()) images_[handle - 1].live = false;
}

image_size recording_display::size_of(image_handle handle) {
  if (handle < 1 || handle > images_.size() || !images_[handle - 1].live) return {};
  return images_[handle - 1].size;
}

void recording_display::begin_frame() { calls.emplace_back("begin"); }

void recording_display::copy_surface(image_handle surface) {
  calls.emplace_back("surface");
  surfaces_copied.push_back(surface);
}

void recording_display::draw(const sprite_quad& quad) {
  calls.emplace_back("quad");
  quads.push_back(quad);
}

void recording_display::draw_text(const text_request& request) {
  calls.emplace_back("text");
  texts.push_back({std::string(request.text), std::string(request.face), request.points, request.bold,
                   request.italic, request.left, request.top, request.right, request.bottom, request.align,
                   request.colour});
}

void recording_display::present() {
  calls.emplace_back("present");
  ++presents;
}

bool recording_display::save_screenshot(const std::string& file) {
  calls.emplace_back("screenshot");
  screenshots.push_back(file);
  return is_open;
}

int32_t recording_display::live_images() const {
  int32_t count = 0;
  for (const image& each : images_) count += each.live ? 1 : 0;
  return count;
}

}  // namespace varnel2d
