// The preview host on Xlib: a hidden form window of our own holding the picture window, which is
// reparented into the host window and paints the preview picture at its top-left corner.
#pragma once

#include <memory>
#include <string>

#include "desktop/preview_host.h"

namespace brisenfall {

class x11_preview_host final : public preview_host {
 public:
  // Opens the display and creates the windows; a picture that cannot be read leaves the window black,
  // and without a display every host counts as gone.
  explicit x11_preview_host(const std::string& picture_path);
  ~x11_preview_host() override;
  x11_preview_host(const x11_preview_host&) = delete;
  x11_preview_host& operator=(const x11_preview_host&) = delete;

  picture_procedure replace_picture_procedure(picture_procedure procedure) override;
  preview_rectangle get_client_rect(int32_t window) override;
  void move_picture(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void set_picture_parent(int32_t window) override;
  bool is_window(int32_t window) override;
  void run_events_for(std::chrono::milliseconds time) override;

 private:
  struct x11_state;
  std::unique_ptr<x11_state> x_;
  picture_procedure procedure_;
};

}  // namespace brisenfall
