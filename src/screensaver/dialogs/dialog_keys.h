// The keys the three dialogs share beyond Qt's own: Return and Enter press the focused button, as a
// Linux desktop user expects.
#pragma once

class QKeyEvent;
class QWidget;

namespace brisenfall {

// For Return or Enter (on the keypad too), presses the window's focused push button; true when it
// did. Any other key, or the focus elsewhere, is left to the caller.
bool press_focused_button(QWidget& window, const QKeyEvent& event);

}  // namespace brisenfall
