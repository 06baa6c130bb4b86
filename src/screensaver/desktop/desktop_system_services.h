// The real system services: XDG folders and files, the settings-store file, Qt message boxes and
// document launcher, Xlib window lookup.
#pragma once

#include "desktop/system_services.h"

namespace brisenfall {

class desktop_system_services final : public system_services {
 public:
  std::string windows_directory() override;
  std::optional<int64_t> file_length(const std::string& path) override;
  bool delete_file(const std::string& path) override;
  std::optional<registry_value> registry_query(int32_t root, const std::string& key_path,
                                               const std::string& value_name) override;
  void message_box(const std::string& title, const std::string& text) override;
  int32_t open_document(const std::string& address) override;
  bool find_window(const std::string& title) override;
  void set_screensaver_running(bool running) override;
  int32_t platform_id() override;
};

// $XDG_CONFIG_HOME/brisenfall (default ~/.config/brisenfall), without a trailing separator.
std::string settings_folder_path();

}  // namespace brisenfall
