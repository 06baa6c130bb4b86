// Helpers of the dialog tests.
#include "dialog_test_support.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <cstdlib>
#include <memory>

namespace brisenfall::testing {

void when_modal_opens(std::function<void(QDialog&)> action) {
  QWidget* before = QApplication::activeModalWidget();
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, before, action = std::move(action)] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || dialog == before) return;
    timer->stop();
    timer->deleteLater();
    action(*dialog);
  });
  timer->start();
}

void write_picture(const std::string& path, int width, int height, unsigned int rgb) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(QColor::fromRgb(rgb));
  picture.save(QString::fromStdString(path));
}

void save_grab_for_review(QWidget& widget, const std::string& name) {
  const char* folder = std::getenv("BRISENFALL_GRAB_FOLDER");
  if (folder != nullptr) widget.grab().save(QString::fromStdString(std::string(folder) + "/" + name + ".png"));
}

}  // namespace brisenfall::testing
