// The recording preview-host double.
#include "testing/recording_preview_host.h"

namespace brisenfall {

recording_preview_host::recording_preview_host()
    : procedure_([this](preview_message message) { passed_on.push_back(message); }) {}

picture_procedure recording_preview_host::replace_picture_procedure(picture_procedure procedure) {
  calls.push_back(procedure ? "replace procedure" : "replace procedure with none");
  std::swap(procedure_, procedure);
  return procedure;
}

preview_rectangle recording_preview_host::get_client_rect(int32_t window) {
  calls.push_back("client rect " + std::to_string(window));
  const auto found = windows_.find(window);
  return found == windows_.end() ? preview_rectangle{} : found->second;
}

void recording_preview_host::move_picture(int32_t left, int32_t top, int32_t width, int32_t height) {
  calls.push_back("move " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(width) + " " +
                  std::to_string(height));
}

void recording_preview_host::set_picture_parent(int32_t window) {
  calls.push_back("parent " + std::to_string(window));
  picture_parent = window;
}

bool recording_preview_host::is_window(int32_t window) {
  calls.push_back("is window " + std::to_string(window));
  return windows_.count(window) != 0;
}

void recording_preview_host::run_events_for(std::chrono::milliseconds time) {
  calls.push_back("events " + std::to_string(time.count()));
  if (on_events) on_events();
  const std::vector<preview_message> messages = std::move(queued_);
  queued_.clear();
  for (const preview_message message : messages) {
    const picture_procedure procedure = procedure_;
    if (procedure) procedure(message);
  }
}

}  // namespace brisenfall
