// Compressing one file into the container and back, through zlib's compress2 and uncompress.
#include "engine/extras/compression.h"

#include <zlib.h>

#include <iterator>
#include <limits>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/extras/engine_files.h"
#include <varnel2d/files.h>

namespace varnel2d {
namespace {

constexpr int compression_level = 9;
constexpr size_t header_bytes = 4;

}  // namespace

std::optional<compressed_parts> compress_container(std::string_view bytes) {
  if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return std::nullopt;
  compressed_parts parts;
  const auto size = static_cast<uint32_t>(bytes.size());
  for (size_t i = 0; i < header_bytes; ++i) parts.header += static_cast<char>((size >> (8 * i)) & 0xFFu);
  uLongf stream_length = compressBound(static_cast<uLong>(bytes.size()));
  parts.stream.resize(stream_length);
  if (compress2(reinterpret_cast<Bytef*>(parts.stream.data()), &stream_length,
                reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uLong>(bytes.size()),
                compression_level) != Z_OK)
    return std::nullopt;
  parts.stream.resize(stream_length);
  return parts;
}

std::optional<std::string> uncompress_container(std::string_view container) {
  if (container.size() < header_bytes) return std::nullopt;
  uint32_t raw = 0;
  for (size_t i = 0; i < header_bytes; ++i) raw |= static_cast<uint32_t>(static_cast<unsigned char>(container[i])) << (8 * i);
  const auto size = static_cast<int32_t>(raw);
  const std::string_view stream = container.substr(header_bytes);
  if (size < 0 || size > static_cast<int64_t>(stream.size()) * largest_inflate_ratio) return std::nullopt;
  // One spare byte, so a stream that holds more than the header says is seen as too long.
  std::string bytes(static_cast<size_t>(size) + 1, '\0');
  uLongf produced = static_cast<uLongf>(bytes.size());
  uLong consumed = static_cast<uLong>(stream.size());
  const int result = uncompress2(reinterpret_cast<Bytef*>(bytes.data()), &produced,
                                 reinterpret_cast<const Bytef*>(stream.data()), &consumed);
  if (result != Z_OK || produced != static_cast<uLongf>(size)) return std::nullopt;
  bytes.resize(produced);
  return bytes;
}

std::optional<std::string> uncompress_container(std::istream& in) {
  const std::string container((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return uncompress_container(container);
}

}  // namespace varnel2d

using namespace varnel2d;

bool Varnel_2D_Engine::lib_filecompress(const std::string& sourcefullfilepath,
                                        const std::string& destinationfullfilepath, std::optional<double>) {
  const std::optional<int64_t> length = regular_file_length(sourcefullfilepath);
  if (!length || *length > std::numeric_limits<int32_t>::max()) return false;
  const std::optional<std::string> bytes = read_whole_file(sourcefullfilepath);
  if (!bytes) return false;
  const std::optional<compressed_parts> parts = compress_container(*bytes);
  return parts && replace_file(destinationfullfilepath, {parts->header, parts->stream});
}

bool Varnel_2D_Engine::lib_fileuncompress(const std::string& sourcefullfilepath,
                                          const std::string& destinationfullfilepath) {
  if (!regular_file_length(sourcefullfilepath)) return false;
  const std::optional<std::string> container = read_whole_file(sourcefullfilepath);
  if (!container) return false;
  const std::optional<std::string> bytes = uncompress_container(*container);
  return bytes && replace_file(destinationfullfilepath, {*bytes});
}
