// A test double of the system services: a settings folder of the test's choosing, a store held in
// memory, and a record of every message box, document, window lookup and screensaver notice.
#pragma once

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "desktop/system_services.h"

namespace brisenfall {

class recording_system_services final : public system_services {
 public:
  struct message { std::string title, text; };

  explicit recording_system_services(std::string folder) : folder_(std::move(folder)) {}

  // Set-up.
  void set_text(int32_t root, const std::string& key_path, const std::string& name, const std::string& text);
  void set_number(int32_t root, const std::string& key_path, const std::string& name, uint32_t number);
  void add_window(const std::string& title) { windows_.insert(title); }
  int32_t open_document_result = 42;
  int32_t platform = PLATFORM_LOCKS_SCREEN_ITSELF;

  // What the code under test did.
  std::vector<message> messages;
  std::vector<std::string> documents;
  std::vector<bool> screensaver_notices;

  std::string windows_directory() override { return folder_; }
  std::optional<int64_t> file_length(const std::string& path) override;
  bool delete_file(const std::string& path) override;
  std::optional<registry_value> registry_query(int32_t root, const std::string& key_path,
                                               const std::string& value_name) override;
  void message_box(const std::string& title, const std::string& text) override { messages.push_back({title, text}); }
  int32_t open_document(const std::string& address) override;
  bool find_window(const std::string& title) override { return windows_.count(title) != 0; }
  void set_screensaver_running(bool running) override { screensaver_notices.push_back(running); }
  int32_t platform_id() override { return platform; }

 private:
  std::string folder_;
  std::map<std::tuple<int32_t, std::string, std::string>, registry_value> store_;
  std::set<std::string> windows_;
};

}  // namespace brisenfall
