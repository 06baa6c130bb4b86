// The operating-system services the shell and dialogs stand on: the settings folder, the settings
// store (registry reads), file length and deletion, message boxes, the document launcher, the
// top-level window lookup, the screensaver-running notice and the platform id.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brisenfall {

// Root keys of the settings store, as signed 32-bit values.
inline constexpr int32_t HKEY_CLASSES_ROOT = INT32_MIN;
inline constexpr int32_t HKEY_CURRENT_USER = INT32_MIN + 1;
inline constexpr int32_t HKEY_LOCAL_MACHINE = INT32_MIN + 2;
inline constexpr int32_t HKEY_USERS = INT32_MIN + 3;
inline constexpr int32_t HKEY_PERFORMANCE_DATA = INT32_MIN + 4;
inline constexpr int32_t HKEY_CURRENT_CONFIG = INT32_MIN + 5;
inline constexpr int32_t HKEY_DYN_DATA = INT32_MIN + 6;

// Value types of the settings store.
inline constexpr uint32_t REG_SZ = 1;
inline constexpr uint32_t REG_DWORD = 4;

// One value read from the store: a text holds its characters and a terminating zero; a number
// holds its four bytes, least significant first.
struct registry_value {
  uint32_t type = REG_SZ;
  std::string bytes;
};

// The platform id this system reports: 2, a system that locks the screen itself.
inline constexpr int32_t PLATFORM_LOCKS_SCREEN_ITSELF = 2;

class system_services {
 public:
  virtual ~system_services() = default;

  // The folder that holds the settings file and the settings store, created when missing.
  virtual std::string windows_directory() = 0;
  // The length in bytes of a file; nothing when it is missing or cannot be asked.
  virtual std::optional<int64_t> file_length(const std::string& path) = 0;
  virtual bool delete_file(const std::string& path) = 0;
  // One value of the settings store; nothing when the key or the value is absent.
  virtual std::optional<registry_value> registry_query(int32_t root, const std::string& key_path,
                                                       const std::string& value_name) = 0;
  // A modal message box with an OK button.
  virtual void message_box(const std::string& title, const std::string& text) = 0;
  // Opens a file or an address with the desktop's handler; above 32 is success, 32 or less failure.
  virtual int32_t open_document(const std::string& address) = 0;
  // True when a top-level window has exactly this title.
  virtual bool find_window(const std::string& title) = 0;
  // Tells the system that a screensaver starts (true) or stops (false) running.
  virtual void set_screensaver_running(bool running) = 0;
  virtual int32_t platform_id() = 0;
};

}  // namespace brisenfall
