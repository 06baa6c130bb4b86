// File and picture reading for the data tests, through SDL2_image.
#include "picture.hpp"

#include <SDL.h>
#include <SDL_image.h>
#include <fstream>
#include <iterator>

namespace data_test {

std::string data_path(const std::string& name)
{
    return std::string(BRISENFALL_DATA_DIR) + "/" + name;
}

std::vector<uint8_t> read_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Picture load_picture(const std::string& path)
{
    Picture pic;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded)
        return pic;
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    if (!rgba)
        return pic;
    pic.width = rgba->w;
    pic.height = rgba->h;
    pic.rgba.resize(static_cast<size_t>(rgba->w) * static_cast<size_t>(rgba->h) * 4);
    const auto* pixels = static_cast<const uint8_t*>(rgba->pixels);
    for (int y = 0; y < rgba->h; ++y)
        std::copy(pixels + y * rgba->pitch, pixels + y * rgba->pitch + rgba->w * 4,
                  pic.rgba.begin() + static_cast<std::ptrdiff_t>(y) * rgba->w * 4);
    SDL_FreeSurface(rgba);
    return pic;
}

uint32_t be32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3];
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t{b[at + 3]} << 24 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 1]} << 8 | b[at];
}

uint16_t le16(const std::vector<uint8_t>& b, size_t at)
{
    return static_cast<uint16_t>(b[at + 1] << 8 | b[at]);
}

} // namespace data_test
