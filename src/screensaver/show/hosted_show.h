// Start-up with options (a command line that starts with a dash): usage, version, refusals, and the
// show in a host's window, on the root window or full screen, with settings for this run only.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "desktop/system_services.h"

namespace brisenfall {

inline constexpr int EXIT_REFUSED = 2;       // an unknown, malformed or out-of-range option
inline constexpr int EXIT_NO_HOST_WINDOW = 1;  // no display, or no such window on it

// Runs the options (the arguments after the program name) and returns the exit code; --help and
// --version print on `out`, refusals one line on `err`.
int run_with_options(const std::vector<std::string>& arguments, const std::string& executable,
                     system_services& system, std::ostream& out, std::ostream& err);

}  // namespace brisenfall
