// What the fuzz targets share: libFuzzer's input seen as text or as bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace fuzz {

inline std::string_view text(const uint8_t* data, size_t size) { return {reinterpret_cast<const char*>(data), size}; }

inline std::span<const uint8_t> bytes(const uint8_t* data, size_t size) { return {data, size}; }

}  // namespace fuzz
