// Helpers of the dialog tests, and the Qt application every dialog test runs in: created before the
// first test and destroyed after the last, while Qt is still whole.
#include "dialog_test_support.h"

#include <dirent.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QTimer>
#include <QtTest/QTest>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "desktop/qt_application.h"

namespace brisenfall::testing {
namespace {

std::optional<qt_application_scope> qt_scope;
class qt_test_environment final : public ::testing::Environment {
  void SetUp() override {
    qt_scope.emplace();
    // A failed assertion here would leave every dialog test skipped, not failed: end the program.
    if (!ensure_qt_application()) {
      std::fputs("the Qt application was refused\n", stderr);
      std::exit(1);
    }
  }
  void TearDown() override { qt_scope.reset(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new qt_test_environment);

struct {
  dev_t device = 0;
  ino_t inode = 0;  // 0: nothing fails
  int entries_left = 0;
} fault;

dirent* real_readdir(DIR* folder) {
  static const auto real = reinterpret_cast<dirent* (*)(DIR*)>(dlsym(RTLD_NEXT, "readdir"));
  return real(folder);
}

}  // namespace
}  // namespace brisenfall::testing

// Found before the C library's by every library of this program that lists folders with readdir
// (std::filesystem does).
extern "C" dirent* readdir(DIR* folder) {
  using brisenfall::testing::fault;
  struct stat status {};
  if (fault.inode != 0 && fstat(dirfd(folder), &status) == 0 && status.st_ino == fault.inode &&
      status.st_dev == fault.device && fault.entries_left-- <= 0) {
    errno = EIO;
    return nullptr;
  }
  return brisenfall::testing::real_readdir(folder);
}

namespace brisenfall::testing {

failing_folder_listing::failing_folder_listing(const std::string& folder, int entries) {
  struct stat status {};
  if (stat(folder.c_str(), &status) != 0) throw std::runtime_error("no folder " + folder);
  if (DIR* listing = opendir(folder.c_str())) {
    for (int i = 0; i < entries; ++i)
      if (const dirent* entry = real_readdir(listing)) first_names.emplace_back(entry->d_name);
    closedir(listing);
  }
  fault = {status.st_dev, status.st_ino, entries};
}

failing_folder_listing::~failing_folder_listing() { fault = {}; }

void press_key(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  control->setFocus();
  QTest::keyClick(control, key, modifiers);
}

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

}  // namespace brisenfall::testing
