// SIGTERM and SIGINT as polite requests: screensaver hosts and users end the show with them, and
// the show finishes its frame and shuts down in order instead of dying mid-frame.
#pragma once

namespace brisenfall {

// Installs our own handlers (and keeps SDL from installing its own).
void catch_termination_signals();

// True once a termination signal has arrived.
bool termination_requested();

// "SIGTERM" or "SIGINT" for the first one that arrived; empty before.
const char* termination_signal_name();

}  // namespace brisenfall
