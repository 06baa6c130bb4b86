// Reading and checking standard MIDI and RIFF MIDI files.
#include "engine/backends/midi_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

namespace varnel2d {
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

constexpr int drum_channel = 9;
constexpr int drum_bank = 128;

// A variable-length quantity (at most four bytes) at `at`, which moves past it; nothing when it
// runs off the end.
std::optional<uint32_t> read_quantity(std::span<const uint8_t> bytes, size_t& at) {
  uint32_t value = 0;
  for (int i = 0; i < 4 && at < bytes.size(); ++i) {
    const uint8_t byte = bytes[at++];
    value = (value << 7) | (byte & 0x7F);
    if ((byte & 0x80) == 0) return value;
  }
  return std::nullopt;
}

// Adds the program changes of one track's events to `found`, following bank selects in `banks`.
void scan_track(std::span<const uint8_t> track, std::array<int, 16>& banks, std::vector<midi_program>& found) {
  size_t at = 0;
  uint8_t status = 0;  // running status
  while (at < track.size()) {
    if (!read_quantity(track, at) || at >= track.size()) return;  // the delta time
    if (track[at] >= 0xF0) {  // meta event (0xFF type length data) or system exclusive (length data)
      const uint8_t kind = track[at++];
      if (kind == 0xFF && at++ >= track.size()) return;
      if (kind != 0xFF && kind != 0xF0 && kind != 0xF7) return;
      const auto length = read_quantity(track, at);
      if (!length || *length > track.size() - at) return;
      at += *length;
      continue;
    }
    if (track[at] >= 0x80) status = track[at++];
    if (status == 0) return;  // data without a status to run on
    const int kind = status >> 4;
    const int channel = status & 0x0F;
    const size_t data_bytes = (kind == 0xC || kind == 0xD) ? 1 : 2;
    if (track.size() - at < data_bytes) return;
    if (kind == 0xB && track[at] == 0) banks[channel] = track[at + 1];
    if (kind == 0xC) {
      const midi_program chosen{channel == drum_channel ? drum_bank : banks[channel], track[at] & 0x7F};
      if (std::find(found.begin(), found.end(), chosen) == found.end()) found.push_back(chosen);
    }
    at += data_bytes;
  }
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

std::vector<midi_program> midi_programs(std::span<const uint8_t> midi) {
  std::vector<midi_program> found;
  if (!has_tag(midi, 0, "MThd") || midi.size() < 8) return found;
  std::array<int, 16> banks{};
  for (uint64_t at = 8 + uint64_t{big_endian(midi, 4, 4)}; at + 8 <= midi.size();) {
    const uint64_t length = std::min<uint64_t>(big_endian(midi, at + 4, 4), midi.size() - at - 8);
    if (has_tag(midi, at, "MTrk")) scan_track(midi.subspan(at + 8, length), banks, found);
    at += 8 + length;
  }
  return found;
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

}  // namespace varnel2d
