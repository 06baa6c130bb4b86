// Plain file operations shared by the system-services backends, the engine's file writers and the
// settings file.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace varnel2d {

// The length of a regular file; nothing when it is missing, not a file, or cannot be asked.
std::optional<int64_t> regular_file_length(const std::string& path);

// Deletes a file; false when there was nothing to delete or it could not be deleted.
bool remove_file(const std::string& path);

// Replaces the file at `path` whole with the pieces, in order, or leaves it as it was. The bytes go
// to a temporary of a unique name beside the real file (a symbolic link is followed, so the link
// stays a link), are flushed to the disk, and the temporary is renamed over the file, taking the
// old file's permissions (a new file gets the usual ones). False on any error, which `error`
// names; the temporary is gone.
bool replace_file(const std::string& path, std::initializer_list<std::string_view> pieces, std::error_code& error);
bool replace_file(const std::string& path, std::initializer_list<std::string_view> pieces);

}  // namespace varnel2d
