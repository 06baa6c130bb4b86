// The process's one Qt application object, created on first need so that modes without a window
// never touch the display.
#pragma once

namespace brisenfall {

// Creates the Qt application when none exists yet; false when no display can be opened.
bool ensure_qt_application();

// Owns the application that ensure_qt_application creates: destroying the scope (at the end of
// main, before static destruction) destroys the application while Qt is still whole.
class qt_application_scope {
 public:
  qt_application_scope() = default;
  qt_application_scope(const qt_application_scope&) = delete;
  qt_application_scope& operator=(const qt_application_scope&) = delete;
  ~qt_application_scope();
};

}  // namespace brisenfall
