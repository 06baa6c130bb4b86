// The data folder and the engine's small file rules.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnel2d {

// The data folder: filepath with a trailing "/", then foldername and "/" when one is given.
std::string data_folder(std::string_view filepath, std::string_view foldername);

// Where a "file name only" argument points: the data folder joined with it, or itself as a full path.
std::string data_file(std::string_view folder, std::string_view name, bool usefullpath);

// The part after the last "/" or "\"; the whole text when there is none.
std::string file_name_of(std::string_view filepath);

// True for a regular file that can be opened and holds at least 2 bytes; false for a folder.
bool file_has_content(const std::string& file);

// The whole file; nothing when it cannot be read.
std::optional<std::string> read_whole_file(const std::string& path);

// Appends text and CR LF to the file; errors are ignored.
void append_line(const std::string& file, std::string_view text);

}  // namespace varnel2d
