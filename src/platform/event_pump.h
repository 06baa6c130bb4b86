// Letting pending window events run once, from inside a handler that must not return first.
#pragma once

namespace brisenfall {

// Runs the window events that are already waiting (Qt's, and SDL's once SDL's video is up), then returns.
void let_pending_events_run();

}  // namespace brisenfall
