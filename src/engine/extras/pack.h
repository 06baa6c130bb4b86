// File packing: the pack index (a text file naming each packed file and its size) beside a data
// file holding their bytes back to back; the list of unpacked files the engine deletes at shutdown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnel2d {

inline constexpr std::string_view pack_index_title = "Varnel Engine Filemaker";
// Files are copied through one buffer of this many bytes.
inline constexpr size_t pack_piece_bytes = 60000;
// Sizes and offsets in a pack are 32-bit signed numbers.
inline constexpr int64_t largest_pack_bytes = (int64_t{1} << 31) - 1;

struct pack_entry {
  std::string name;
  int64_t size = 0;
};

// The entries of an index; nothing when the header differs or an entry is missing or not a number.
std::optional<std::vector<pack_entry>> read_pack_index(std::string_view text);
std::optional<std::vector<pack_entry>> read_pack_index(std::istream& in);

// The index file's bytes for these entries.
std::string format_pack_index(std::span<const pack_entry> entries);

// The data file beside an index: the index path with its last character replaced by the next one
// ("levels.pak" -> "levels.pal"). Nothing when that character would not make a plain file name.
std::optional<std::string> pack_data_file(std::string_view index_path);

// A name that stays inside the folder it is joined to: not empty, ".", "..", and free of "/", "\"
// and NUL.
bool safe_entry_name(std::string_view name);

// Every name safe, every size 0 or more, and the sizes together within the data file's length.
bool entries_fit(std::span<const pack_entry> entries, int64_t data_length);

struct pack_state {
  std::vector<std::string> unpacked_files;  // full paths, deleted at shutdown if still there
};

}  // namespace varnel2d
