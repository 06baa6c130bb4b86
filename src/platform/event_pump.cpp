// One pass over the pending window events of Qt and SDL.
#include "platform/event_pump.h"

#include <QCoreApplication>
#include <SDL.h>

namespace brisenfall {

void let_pending_events_run() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_PumpEvents();
}

}  // namespace brisenfall
