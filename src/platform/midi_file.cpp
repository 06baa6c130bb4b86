// Reading and checking standard MIDI and RIFF MIDI files.
#include "platform/midi_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace brisenfall {
namespace {

uint32_t big_endian(std::span<const uint8_t> bytes, size_t at, size_t count) {
  uint32_t value = 0;
  for (size_t i = 0; i < count; ++i) value = (value << 8) | bytes[at + i];
  return value;
}

uint32_t little_endian32(std::span<const uint8_t> bytes, size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

bool has_tag(std::span<const uint8_t> bytes, size_t at, const char* tag) {
  return at + 4 <= bytes.size() && std::memcmp(bytes.data() + at, tag, 4) == 0;
}

}  // namespace

bool is_standard_midi(std::span<const uint8_t> bytes) {
  if (!has_tag(bytes, 0, "MThd") || bytes.size() < 14) return false;
  const uint64_t header_length = big_endian(bytes, 4, 4);
  const uint32_t format = big_endian(bytes, 8, 2);
  const uint32_t tracks = big_endian(bytes, 10, 2);
  const uint32_t division = big_endian(bytes, 12, 2);
  if (header_length < 6 || format > 2 || tracks == 0 || division == 0) return false;

  uint64_t at = 8 + header_length;
  uint32_t found = 0;
  while (found < tracks) {
    if (at + 8 > bytes.size()) return false;
    const uint64_t chunk_length = big_endian(bytes, at + 4, 4);
    if (at + 8 + chunk_length > bytes.size()) return false;
    if (has_tag(bytes, at, "MTrk")) ++found;
    at += 8 + chunk_length;
  }
  return true;
}

std::optional<std::vector<uint8_t>> unwrap_rmi(std::span<const uint8_t> bytes) {
  if (!has_tag(bytes, 0, "RIFF") || !has_tag(bytes, 8, "RMID")) return std::nullopt;
  const uint64_t riff_end = std::min<uint64_t>(bytes.size(), 8 + uint64_t{little_endian32(bytes, 4)});
  uint64_t at = 12;
  while (at + 8 <= riff_end) {
    const uint64_t length = little_endian32(bytes, at + 4);
    if (at + 8 + length > riff_end) return std::nullopt;
    if (has_tag(bytes, at, "data")) {
      const auto start = bytes.begin() + static_cast<std::ptrdiff_t>(at + 8);
      return std::vector<uint8_t>(start, start + static_cast<std::ptrdiff_t>(length));
    }
    at += 8 + length + (length & 1);  // chunks are padded to an even size
  }
  return std::nullopt;
}

std::optional<std::vector<uint8_t>> midi_data(std::vector<uint8_t> bytes) {
  if (auto inner = unwrap_rmi(bytes)) bytes = std::move(*inner);
  if (!is_standard_midi(bytes)) return std::nullopt;
  return bytes;
}

std::optional<std::vector<uint8_t>> read_midi_file(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return midi_data(std::move(bytes));
}

}  // namespace brisenfall
