// The stand-in window.
#include "dialogs/placeholder_window.h"

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>
#include <iostream>

#include "platform/qt_application.h"

namespace brisenfall {

int run_placeholder_window(const std::string& title, const std::string& text) {
  if (!ensure_qt_application()) {
    std::cerr << "brisenfall: no display to open \"" << title << "\" on\n";
    return 1;
  }
  // A dialog's own event loop works alone and on top of another dialog alike.
  QDialog window;
  window.setWindowTitle(QString::fromStdString(title));
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel(QString::fromStdString(text), &window));
  window.resize(420, 120);
  window.exec();
  return 0;
}

}  // namespace brisenfall
