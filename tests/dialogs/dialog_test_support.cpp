// Helpers of the dialog tests.
#include "dialog_test_support.h"

#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QTimer>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace brisenfall::testing {
namespace {

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

scoped_environment::scoped_environment(std::initializer_list<std::pair<std::string, std::string>> values) {
  for (const auto& [name, value] : values) {
    const char* before = std::getenv(name.c_str());
    saved_.emplace_back(name, before != nullptr ? std::optional<std::string>(before) : std::nullopt);
    setenv(name.c_str(), value.c_str(), 1);
  }
}

scoped_environment::~scoped_environment() {
  for (const auto& [name, value] : saved_) {
    if (value)
      setenv(name.c_str(), value->c_str(), 1);
    else
      unsetenv(name.c_str());
  }
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
