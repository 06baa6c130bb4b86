// Return and Enter on the focused button.
#include "dialogs/dialog_keys.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace brisenfall {

bool press_focused_button(QWidget& window, const QKeyEvent& event) {
  if (event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter) return false;
  if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  auto* button = qobject_cast<QPushButton*>(window.focusWidget());
  if (button == nullptr || !button->isEnabled() || !button->isVisible()) return false;
  button->click();
  return true;
}

}  // namespace brisenfall
