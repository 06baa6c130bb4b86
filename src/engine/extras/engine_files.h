// What the engine's own file formats share: replacing a file whole (platform/files.h), the numbers
// and texts as they are written (a blank for a number's sign and one after; texts quoted where they
// must be), and the header lines of map files and pack indexes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/extras/delimited_reader.h"
#include "engine/paths.h"
#include <varnel2d/files.h>

namespace varnel2d {

// A number as the engine writes a single number: " 12 ", "-5 ".
std::string written_number(int64_t value);

// A text field as the engine writes one so that its reader gives it back: as it stands, or in
// double quotes with each quote inside doubled when it holds a comma or a line break, begins with a
// quote, or begins or ends with a blank.
std::string written_text(std::string_view text);

// The fixed lines 2 and 3 of the engine's map files and pack indexes, and its version (line 4).
inline constexpr std::string_view engine_name_line = "Varnel 2D+ Game Engine";
inline constexpr std::string_view engine_address_line = "http://www.varnel2d.example/";
inline constexpr int32_t engine_version[3] = {1, 0, 0};

// Lines 1 to 4: the file's own title, the engine's name and address, then the version.
std::string engine_header(std::string_view title);

// Reads lines 1 to 4; false when one of the first three differs or the version is not three numbers.
bool read_engine_header(delimited_reader& reader, std::string_view title);

}  // namespace varnel2d
