// System services on XDG folders, Qt and Xlib.
#include "desktop/desktop_system_services.h"

#include <varnel2d/files.h>

#include <QDesktopServices>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "desktop/qt_application.h"
#include "desktop/settings_store.h"
#include <varnel2d/termination_signals.h>
#include "desktop/x11_window_lookup.h"

namespace brisenfall {
namespace {

// How often an open message box looks whether a termination signal has come.
constexpr std::chrono::milliseconds TERMINATION_WATCH_INTERVAL{20};

}  // namespace

std::string settings_folder_path() {
  const char* config_home = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::path base;
  if (config_home != nullptr && config_home[0] == '/') {
    base = config_home;
  } else {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home != nullptr ? home : ".") / ".config";
  }
  return (base / "brisenfall").string();
}

std::string desktop_system_services::windows_directory() {
  const std::string folder = settings_folder_path();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) std::cerr << "brisenfall: cannot create the settings folder " << folder << ": " << error.message() << '\n';
  return folder;
}

std::optional<int64_t> desktop_system_services::file_length(const std::string& path) { return varnel2d::regular_file_length(path); }

bool desktop_system_services::delete_file(const std::string& path) { return varnel2d::remove_file(path); }

namespace {

// The stores to ask, in order: the user's own, then the one installed with the program (in
// share/brisenfall/ beside bin/ or beside libexec/xscreensaver/), which names the installed data folder.
std::vector<std::filesystem::path> settings_store_paths() {
  std::vector<std::filesystem::path> paths{std::filesystem::path(settings_folder_path()) / SETTINGS_STORE_FILE_NAME};
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return paths;
  const std::filesystem::path installed = std::filesystem::path("share") / "brisenfall" / SETTINGS_STORE_FILE_NAME;
  paths.push_back(program.parent_path().parent_path() / installed);
  paths.push_back(program.parent_path().parent_path().parent_path() / installed);
  return paths;
}

}  // namespace

std::optional<registry_value> desktop_system_services::registry_query(int32_t root, const std::string& key_path,
                                                                      const std::string& value_name) {
  for (const std::filesystem::path& path : settings_store_paths()) {
    std::ifstream file(path, std::ios::binary);
    if (!file) continue;
    std::ostringstream text;
    text << file.rdbuf();
    if (auto value = settings_store_lookup(text.str(), root, key_path, value_name)) return value;
  }
  return std::nullopt;
}

void desktop_system_services::message_box(const std::string& title, const std::string& text) {
  if (!ensure_qt_application()) {
    std::cerr << title << ": " << text << '\n';
    return;
  }
  if (varnel2d::termination_requested()) return;
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok);
  // A termination signal is only recorded by its handler; the box looks for it and closes, so that
  // the program goes on to end in order instead of waiting for an OK nobody may press.
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, &box, [&box] {
    if (varnel2d::termination_requested()) box.done(QMessageBox::Ok);
  });
  watch.start(TERMINATION_WATCH_INTERVAL);
  box.exec();
}

int32_t desktop_system_services::open_document(const std::string& address) {
  if (!ensure_qt_application()) return 2;
  const QUrl url = address.find("://") != std::string::npos ? QUrl(QString::fromStdString(address))
                                                            : QUrl::fromLocalFile(QString::fromStdString(address));
  return QDesktopServices::openUrl(url) ? 42 : 2;
}

bool desktop_system_services::find_window(const std::string& title) { return x11_window_titled_exists(title); }

void desktop_system_services::set_screensaver_running(bool) {
  // The desktop locks the screen itself; there is nobody to tell.
}

int32_t desktop_system_services::platform_id() { return PLATFORM_LOCKS_SCREEN_ITSELF; }

}  // namespace brisenfall
