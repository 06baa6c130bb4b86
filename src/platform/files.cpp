// File length and deletion on std::filesystem, never throwing.
#include "platform/files.h"

#include <filesystem>

namespace brisenfall {

std::optional<int64_t> regular_file_length(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  return static_cast<int64_t>(size);
}

bool remove_file(const std::string& path) {
  std::error_code error;
  return std::filesystem::remove(path, error);
}

}  // namespace brisenfall
