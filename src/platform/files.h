// Plain file operations shared by the system-services backends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brisenfall {

// The length of a regular file; nothing when it is missing, not a file, or cannot be asked.
std::optional<int64_t> regular_file_length(const std::string& path);

// Deletes a file; false when there was nothing to delete or it could not be deleted.
bool remove_file(const std::string& path);

}  // namespace brisenfall
