// The preview form frmPreview: its picture box goes into the host window named on the command
// line and stays there, watched every 100 ms, until the host closes it or the host window goes.
#pragma once

#include <chrono>
#include <cstdint>

#include "desktop/preview_host.h"
#include "shell/shell_state.h"

namespace brisenfall {

inline constexpr std::chrono::milliseconds PREVIEW_WATCH_INTERVAL{100};

struct twips_size {
  int32_t width = 0, height = 0;
};

// The picture box's size in twips that covers the host's client rectangle.
twips_size picture_box_twips(const preview_rectangle& client, int16_t twips_per_pixel_x, int16_t twips_per_pixel_y);

class frmPreview {
 public:
  frmPreview(shell_state& shell, preview_host& host) : shell_(shell), host_(host) {}

  // Loads the form and lets its timer watch the host until the form unloads; returns the exit code.
  int run();

  // Attach: the picture box takes over the host's client area.
  void Form_Load();
  // Watch: unloads the form once the host window is gone or has closed the picture box.
  void tmrPreview_Timer();
  // The picture box's replacement procedure: a close request takes the box back from the host.
  void preview_window_procedure(preview_message message);
  // Detach: the picture box gets its own procedure back.
  void Form_Unload();

  bool preview_active = false;
  bool tmrPreview_enabled = false;

 private:
  shell_state& shell_;
  preview_host& host_;
  picture_procedure old_picture_procedure;
};

}  // namespace brisenfall
