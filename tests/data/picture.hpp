// Reading the data folder's files for the tests: raw bytes, and pictures decoded to RGBA.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace data_test {

// Full path of a file in the committed data folder.
std::string data_path(const std::string& name);

// The whole file; empty when it cannot be read.
std::vector<uint8_t> read_bytes(const std::string& path);

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;  // straight alpha, rows top to bottom

  const uint8_t* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
  uint32_t argb(int x, int y) const {
    const uint8_t* p = at(x, y);
    return uint32_t{p[3]} << 24 | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
  }
};

// Decodes a JPEG, PNG or BMP file in the data folder; a picture of size 0 when it cannot be read.
Picture load_picture(const std::string& name);

}  // namespace data_test
