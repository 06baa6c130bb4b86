// The compressed container: the uncompressed size as 4 bytes (32-bit signed, little-endian), then a
// zlib stream of the bytes at level 9. Built and opened in memory.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace varnel2d {

// deflate never expands more than this many times (zlib's own limit is about 1032 to 1).
inline constexpr int64_t largest_inflate_ratio = 1032;

// The 4-byte header and the stream; nothing for input of 2 GiB or more or a zlib failure.
struct compressed_parts {
  std::string header;
  std::string stream;
};
std::optional<compressed_parts> compress_container(std::string_view bytes);

// The bytes a container holds; nothing when it is shorter than its header, its size is negative or
// more than the stream could give, or the stream is damaged or yields another size.
std::optional<std::string> uncompress_container(std::string_view container);
std::optional<std::string> uncompress_container(std::istream& in);

}  // namespace varnel2d
