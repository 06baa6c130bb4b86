// The preview form's attach, watch and detach steps.
#include "shell/preview.h"

#include <algorithm>
#include <iostream>

namespace brisenfall {

twips_size picture_box_twips(const preview_rectangle& client, int16_t twips_per_pixel_x, int16_t twips_per_pixel_y) {
  return {(client.right - client.left) * twips_per_pixel_x, (client.bottom - client.top) * twips_per_pixel_y};
}

int frmPreview::run() {
  Form_Load();
  while (tmrPreview_enabled) {
    host_.run_events_for(PREVIEW_WATCH_INTERVAL);
    tmrPreview_Timer();
  }
  return 0;
}

void frmPreview::Form_Load() {
  old_picture_procedure =
      host_.replace_picture_procedure([this](preview_message message) { preview_window_procedure(message); });
  const preview_rectangle client = host_.get_client_rect(shell_.preview_host_window);
  const twips_size size = picture_box_twips(client, shell_.twips_per_pixel_x, shell_.twips_per_pixel_y);
  // The window system places windows in pixels.
  host_.move_picture(0, 0, size.width / std::max<int16_t>(shell_.twips_per_pixel_x, 1),
                     size.height / std::max<int16_t>(shell_.twips_per_pixel_y, 1));
  host_.set_picture_parent(shell_.preview_host_window);
  preview_active = true;
  tmrPreview_enabled = true;
}

void frmPreview::preview_window_procedure(preview_message message) {
  if (!old_picture_procedure) return;
  if (message == preview_message::close) {
    // Not passed on: the box goes back to its own form instead of being destroyed.
    host_.set_picture_parent(0);
    preview_active = false;
    return;
  }
  old_picture_procedure(message);
}

void frmPreview::tmrPreview_Timer() {
  const bool host_there = host_.is_window(shell_.preview_host_window);
  if (host_there && preview_active) return;
  // A close request is the host's ordinary way to end a preview; a vanished host is named.
  if (!host_there)
    std::cerr << "brisenfall: the preview's host window " << shell_.preview_host_window
              << " is gone; the preview has ended\n";
  tmrPreview_enabled = false;
  Form_Unload();
}

void frmPreview::Form_Unload() {
  if (!old_picture_procedure) return;
  host_.replace_picture_procedure(std::move(old_picture_procedure));
  old_picture_procedure = nullptr;
}

}  // namespace brisenfall
