// A plain window that stands in for a window still being built: it says so and waits to be closed.
#pragma once

#include <string>

namespace brisenfall {

// Shows the window modally and runs until it is closed; returns the exit code (1 without a display).
int run_placeholder_window(const std::string& title, const std::string& text);

}  // namespace brisenfall
