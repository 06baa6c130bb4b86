// The recording system-services double.
#include "testing/recording_system_services.h"

#include <varnel2d/files.h>

namespace brisenfall {

void recording_system_services::set_text(int32_t root, const std::string& key_path, const std::string& name,
                                         const std::string& text) {
  store_[{root, key_path, name}] = registry_value{REG_SZ, text + '\0'};
}

void recording_system_services::set_number(int32_t root, const std::string& key_path, const std::string& name,
                                           uint32_t number) {
  registry_value value{REG_DWORD, std::string(4, '\0')};
  for (size_t i = 0; i < 4; ++i) value.bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  store_[{root, key_path, name}] = value;
}

std::optional<int64_t> recording_system_services::file_length(const std::string& path) { return varnel2d::regular_file_length(path); }

bool recording_system_services::delete_file(const std::string& path) { return varnel2d::remove_file(path); }

std::optional<registry_value> recording_system_services::registry_query(int32_t root, const std::string& key_path,
                                                                        const std::string& value_name) {
  const auto found = store_.find({root, key_path, value_name});
  if (found == store_.end()) return std::nullopt;
  return found->second;
}

int32_t recording_system_services::open_document(const std::string& address) {
  documents.push_back(address);
  return open_document_result;
}

}  // namespace brisenfall
