// An Xvfb server of the test's own on a free display number, with xdotool helpers.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "support/child_process.h"  // also makes these helpers brisenfall::testing

namespace varnel2d::testing {

class virtual_display {
 public:
  // `server_arguments` go to Xvfb as well, e.g. {"-extension", "MIT-SHM"} to take an extension away.
  explicit virtual_display(const std::string& screen = "1024x768x24",
                           const std::vector<std::string>& server_arguments = {});

  // ":N", for DISPLAY.
  const std::string& name() const { return name_; }
  // Waits until a window with this exact title is mapped; its id, or 0 after the limit.
  unsigned long wait_for_window(const std::string& title, std::chrono::milliseconds limit) const;
  // Runs xdotool on this display with the given arguments; returns its output.
  std::string xdotool(const std::string& arguments) const;

 private:
  std::string name_;
  std::unique_ptr<child_process> server_;
};

}  // namespace varnel2d::testing
