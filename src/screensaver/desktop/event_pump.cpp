// One pass over the pending window events of Qt and SDL.
#include "desktop/event_pump.h"

#include <QCoreApplication>
#include <SDL.h>

#include <varnel2d/termination_signals.h>

namespace brisenfall {
namespace {

bool close_requested = false;

bool is_close_request(const SDL_Event& event) {
  return event.type == SDL_QUIT ||
         (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
}

}  // namespace

void let_pending_events_run() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  // Keyboard and mouse state are updated while the events are pumped; the queue itself is drained
  // here so that it never fills up, keeping only what matters: a request to close.
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) close_requested = close_requested || is_close_request(event);
}

bool take_close_request() {
  const bool requested = close_requested || varnel2d::termination_requested();
  close_requested = false;
  return requested;
}

}  // namespace brisenfall
