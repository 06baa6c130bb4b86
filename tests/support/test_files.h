// Helpers for tests: a temporary folder, small image files written from pixel lists, BMP reading.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace brisenfall::testing {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class temp_folder {
 public:
  temp_folder();
  ~temp_folder();
  temp_folder(const temp_folder&) = delete;
  temp_folder& operator=(const temp_folder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  // The folder with a trailing "/", as the engine's data folder.
  std::string data_path() const { return path_.string() + "/"; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Pixels as ARGB, row by row.
struct pixel_image {
  int32_t width = 0, height = 0;
  std::vector<uint32_t> argb;
  uint32_t at(int32_t x, int32_t y) const { return argb[static_cast<size_t>(y * width + x)]; }
};

pixel_image filled_image(int32_t width, int32_t height, uint32_t argb);

// An 8-bit RGBA PNG file (alpha kept).
void write_png(const std::string& file, const pixel_image& image);

// A 24-bit BMP as the screenshots are written; throws when the file is not one.
pixel_image read_bmp24(const std::string& file);

void write_bytes(const std::string& file, const std::string& bytes);
std::string read_text(const std::string& file);

}  // namespace brisenfall::testing
