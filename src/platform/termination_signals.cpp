// Termination signals recorded in a flag that the frame loop reads.
#include "platform/termination_signals.h"

#include <SDL.h>

#include <csignal>

namespace brisenfall {
namespace {

volatile std::sig_atomic_t termination_signal = 0;

// The first signal is the one named; a second only repeats the request.
extern "C" void record_termination(int signal_number) {
  if (termination_signal == 0) termination_signal = signal_number;
}

}  // namespace

void catch_termination_signals() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  struct sigaction action {};
  action.sa_handler = record_termination;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

bool termination_requested() { return termination_signal != 0; }

const char* termination_signal_name() {
  if (termination_signal == 0) return "";
  return termination_signal == SIGINT ? "SIGINT" : "SIGTERM";
}

}  // namespace brisenfall
