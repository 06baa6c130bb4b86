// Lazily created Qt application.
#include "desktop/qt_application.h"

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace brisenfall {
namespace {

std::unique_ptr<QApplication>& owned_application() {
  static std::unique_ptr<QApplication> application;
  return application;
}

}  // namespace

bool ensure_qt_application() {
  if (QCoreApplication::instance() != nullptr) return true;
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const bool offscreen = platform != nullptr && std::string_view(platform) == "offscreen";
  if (!offscreen && std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) return false;
  static int argc = 1;
  static char name[] = "brisenfall";
  static char* argv[] = {name, nullptr};
  owned_application() = std::make_unique<QApplication>(argc, argv);
  return true;
}

qt_application_scope::~qt_application_scope() { owned_application().reset(); }

}  // namespace brisenfall
