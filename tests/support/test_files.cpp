// A small PNG writer and a 24-bit BMP reader for the tests.
#include "support/test_files.h"

#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace varnel2d::testing {

pixel_image filled_image(int32_t width, int32_t height, uint32_t argb) {
  return {width, height, std::vector<uint32_t>(static_cast<size_t>(width * height), argb)};
}

namespace {

void put_u32(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void put_chunk(std::string& out, const char* type, const std::string& data) {
  put_u32(out, static_cast<uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  put_u32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

uint32_t le(const std::string& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
  return value;
}

}  // namespace

void write_png(const std::string& file, const pixel_image& image) {
  std::string raw;
  for (int32_t y = 0; y < image.height; ++y) {
    raw += '\0';  // no filter
    for (int32_t x = 0; x < image.width; ++x) {
      const uint32_t p = image.at(x, y);
      raw += static_cast<char>((p >> 16) & 0xFF);
      raw += static_cast<char>((p >> 8) & 0xFF);
      raw += static_cast<char>(p & 0xFF);
      raw += static_cast<char>((p >> 24) & 0xFF);
    }
  }
  uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packed_size, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size, reinterpret_cast<const Bytef*>(raw.data()),
            static_cast<uLong>(raw.size()), 9);
  packed.resize(packed_size);
  std::string header;
  put_u32(header, static_cast<uint32_t>(image.width));
  put_u32(header, static_cast<uint32_t>(image.height));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter, no interlace
  std::string png("\x89PNG\r\n\x1a\n", 8);
  put_chunk(png, "IHDR", header);
  put_chunk(png, "IDAT", packed);
  put_chunk(png, "IEND", "");
  write_file(file, png);
}

pixel_image read_bmp24(const std::string& file) {
  const std::string bytes = read_file(file);
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') throw std::runtime_error("not a BMP file: " + file);
  if (le(bytes, 28, 2) != 24) throw std::runtime_error("not a 24-bit BMP file: " + file);
  const uint32_t offset = le(bytes, 10, 4);
  const auto width = static_cast<int32_t>(le(bytes, 18, 4));
  const auto raw_height = static_cast<int32_t>(le(bytes, 22, 4));
  const bool bottom_up = raw_height > 0;
  const int32_t height = bottom_up ? raw_height : -raw_height;
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  if (bytes.size() < offset + stride * static_cast<size_t>(height)) throw std::runtime_error("short BMP file");
  pixel_image image = filled_image(width, height, 0);
  for (int32_t y = 0; y < height; ++y) {
    const size_t row = offset + stride * static_cast<size_t>(bottom_up ? height - 1 - y : y);
    for (int32_t x = 0; x < width; ++x) {
      const size_t p = row + static_cast<size_t>(x) * 3;
      image.argb[static_cast<size_t>(y * width + x)] = 0xFF000000u | (le(bytes, p + 2, 1) << 16) |
                                                      (le(bytes, p + 1, 1) << 8) | le(bytes, p, 1);
    }
  }
  return image;
}

}  // namespace varnel2d::testing
