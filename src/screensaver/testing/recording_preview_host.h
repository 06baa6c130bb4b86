// A test double of the preview host: a scripted set of existing windows and their sizes, messages
// queued for the picture window, and a record of every call.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "desktop/preview_host.h"

namespace brisenfall {

class recording_preview_host final : public preview_host {
 public:
  recording_preview_host();

  // Set-up: a window that exists, with its client size; removing it makes it vanish.
  void add_window(int32_t window, int32_t width, int32_t height) { windows_[window] = {0, 0, width, height}; }
  void remove_window(int32_t window) { windows_.erase(window); }
  // A message that reaches the picture window during the next run of events.
  void queue_message(preview_message message) { queued_.push_back(message); }
  // Runs at the start of every run of events, before the queued messages: the host's own doings.
  std::function<void()> on_events;

  // What the code under test did, one line a call: "move 0 0 152 112", "parent 77", "events 100"...
  std::vector<std::string> calls;
  // What the picture window's own procedure received (messages the replacement passed on).
  std::vector<preview_message> passed_on;
  // The window the picture sits in now; 0 is the program's own form.
  int32_t picture_parent = 0;

  picture_procedure replace_picture_procedure(picture_procedure procedure) override;
  preview_rectangle get_client_rect(int32_t window) override;
  void move_picture(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void set_picture_parent(int32_t window) override;
  bool is_window(int32_t window) override;
  void run_events_for(std::chrono::milliseconds time) override;

 private:
  std::map<int32_t, preview_rectangle> windows_;
  std::vector<preview_message> queued_;
  picture_procedure procedure_;
};

}  // namespace brisenfall
