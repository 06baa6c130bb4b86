// Termination signals recorded in a flag that the frame loop reads.
#include <varnel2d/termination_signals.h>

#include <SDL.h>

namespace varnel2d {
namespace {

volatile std::sig_atomic_t termination_signal = 0;

// The first signal is the one named; a second only repeats the request.
extern "C" void record_termination(int signal_number) {
  if (termination_signal == 0) termination_signal = signal_number;
}

}  // namespace

void leave_termination_signals_to_the_program() { SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1"); }

termination_signal_catcher::termination_signal_catcher() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  termination_signal = 0;
  struct sigaction action {};
  action.sa_handler = record_termination;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, &previous_terminate_);
  sigaction(SIGINT, &action, &previous_interrupt_);
}

termination_signal_catcher::~termination_signal_catcher() {
  sigaction(SIGTERM, &previous_terminate_, nullptr);
  sigaction(SIGINT, &previous_interrupt_, nullptr);
}

bool termination_requested() { return termination_signal != 0; }

const char* termination_signal_name() {
  if (termination_signal == 0) return "";
  return termination_signal == SIGINT ? "SIGINT" : "SIGTERM";
}

}  // namespace varnel2d
