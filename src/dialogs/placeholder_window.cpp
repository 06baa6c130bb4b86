// The stand-in window.
#include "dialogs/placeholder_window.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <iostream>

#include "platform/qt_application.h"

namespace brisenfall {

int run_placeholder_window(const std::string& title, const std::string& text) {
  if (!ensure_qt_application()) {
    std::cerr << "brisenfall: no display to open \"" << title << "\" on\n";
    return 1;
  }
  QWidget window;
  window.setWindowTitle(QString::fromStdString(title));
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel(QString::fromStdString(text), &window));
  window.resize(420, 120);
  window.show();
  return QApplication::exec();
}

}  // namespace brisenfall
