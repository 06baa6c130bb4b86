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
#include <optional>
#include <stdexcept>

#include "desktop/qt_application.h"

namespace brisenfall::testing {
namespace {

class qt_test_environment final : public ::testing::Environment {
 public:
  void SetUp() override {
    scope_.emplace();
    ASSERT_TRUE(ensure_qt_application());
  }
  void TearDown() override { scope_.reset(); }

 private:
  std::optional<qt_application_scope> scope_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new qt_test_environment);

struct listing_fault {
  dev_t device = 0;
  ino_t inode = 0;  // 0: nothing fails
  int entries = 0;
  int served = 0;
};
listing_fault fault;

using readdir_function = dirent* (*)(DIR*);

readdir_function real_readdir() {
  static const auto real = reinterpret_cast<readdir_function>(dlsym(RTLD_NEXT, "readdir"));
  return real;
}

}  // namespace
}  // namespace brisenfall::testing

// Found before the C library's by every library of this program that lists folders with readdir
// (std::filesystem does).
extern "C" dirent* readdir(DIR* folder) {
  using brisenfall::testing::fault;
  struct stat status {};
  if (fault.inode != 0 && fstat(dirfd(folder), &status) == 0 && status.st_ino == fault.inode &&
      status.st_dev == fault.device) {
    if (fault.served == fault.entries) {
      errno = EIO;
      return nullptr;
    }
    ++fault.served;
  }
  return brisenfall::testing::real_readdir()(folder);
}

namespace brisenfall::testing {

failing_folder_listing::failing_folder_listing(const std::string& folder, int entries) {
  struct stat status {};
  if (stat(folder.c_str(), &status) != 0) throw std::runtime_error("no folder " + folder);
  if (DIR* listing = opendir(folder.c_str())) {
    for (int i = 0; i < entries; ++i)
      if (const dirent* entry = real_readdir()(listing)) first_names.emplace_back(entry->d_name);
    closedir(listing);
  }
  fault = {status.st_dev, status.st_ino, entries, 0};
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
