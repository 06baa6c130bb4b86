// Letting pending window events run once, from inside a loop or handler that must not return first.
#pragma once

namespace brisenfall {

// Runs the window events that are already waiting (Qt's, and SDL's once SDL's video is up), then
// returns. A request to close an SDL window, or to quit, is kept for take_close_request().
void let_pending_events_run();

// True once if the window system asked to close since the last call, or a termination signal came.
bool take_close_request();

}  // namespace brisenfall
