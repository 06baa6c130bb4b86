// File and picture reading for the data tests, through SDL2_image.
#include "picture.hpp"

#include <SDL.h>
#include <SDL_image.h>

#include <fstream>
#include <iterator>

namespace data_test {

std::string data_path(const std::string& name) { return std::string(BRISENFALL_DATA_DIR) + "/" + name; }

std::vector<uint8_t> read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Picture load_picture(const std::string& name) {
  Picture pic;
  SDL_Surface* loaded = IMG_Load(data_path(name).c_str());
  SDL_Surface* rgba = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0) : nullptr;
  SDL_FreeSurface(loaded);
  if (!rgba) return pic;
  pic.width = rgba->w;
  pic.height = rgba->h;
  const auto* pixels = static_cast<const uint8_t*>(rgba->pixels);
  for (int y = 0; y < rgba->h; ++y)
    pic.rgba.insert(pic.rgba.end(), pixels + y * rgba->pitch, pixels + y * rgba->pitch + rgba->w * 4);
  SDL_FreeSurface(rgba);
  return pic;
}

}  // namespace data_test
