// SIGTERM and SIGINT as polite requests: screensaver hosts and users end the show with them, and
// the show finishes its frame and shuts down in order instead of dying mid-frame.
#pragma once

#include <csignal>

namespace varnel2d {

// While one lives, SIGTERM and SIGINT are recorded instead of ending the process (and SDL installs
// no handlers of its own). It starts with no signal recorded; when it ends, the handlers it
// replaced come back and the record stays for the caller to act on.
class termination_signal_catcher {
 public:
  termination_signal_catcher();
  ~termination_signal_catcher();
  termination_signal_catcher(const termination_signal_catcher&) = delete;
  termination_signal_catcher& operator=(const termination_signal_catcher&) = delete;

 private:
  struct sigaction previous_terminate_ {};
  struct sigaction previous_interrupt_ {};
};

// The program answers SIGTERM and SIGINT itself: with no catcher they end it at once, as by
// default. Called once at start, before SDL starts a subsystem (the music dialog's preview opens
// the sound card), so that SDL never turns them into a quit event that nobody reads.
void leave_termination_signals_to_the_program();

// True once a termination signal has arrived under the latest catcher.
bool termination_requested();

// "SIGTERM" or "SIGINT" for the first one that arrived; empty before.
const char* termination_signal_name();

}  // namespace varnel2d
