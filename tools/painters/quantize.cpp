// Median-cut palette and Floyd-Steinberg mapping.
#include "quantize.hpp"

#include <algorithm>
#include <cmath>

namespace paint {

namespace {

using Colour = std::array<uint8_t, 3>;

struct Box {
    std::vector<Colour> pixels;
    int widest_channel() const
    {
        int best = 0, best_range = -1;
        for (int c = 0; c < 3; ++c) {
            auto [lo, hi] = std::minmax_element(pixels.begin(), pixels.end(),
                                                [c](const Colour& a, const Colour& b) { return a[c] < b[c]; });
            int range = (*hi)[c] - (*lo)[c];
            if (range > best_range) {
                best_range = range;
                best = c;
            }
        }
        return best_range > 0 ? best : -1;
    }
};

Colour average(const std::vector<Colour>& pixels)
{
    double sum[3] = {0, 0, 0};
    for (const Colour& p : pixels)
        for (int c = 0; c < 3; ++c)
            sum[c] += p[c];
    Colour out{};
    for (int c = 0; c < 3; ++c)
        out[c] = static_cast<uint8_t>(std::lround(sum[c] / static_cast<double>(pixels.size())));
    return out;
}

} // namespace

Palette median_cut(const Image& image, size_t colours)
{
    std::vector<Box> boxes(1);
    for (size_t i = 0; i < image.rgba.size(); i += 4)
        boxes[0].pixels.push_back({image.rgba[i], image.rgba[i + 1], image.rgba[i + 2]});
    while (boxes.size() < colours) {
        // Split the most populous box that still has a spread of colours.
        auto it = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return (a.widest_channel() < 0 ? 0 : a.pixels.size()) < (b.widest_channel() < 0 ? 0 : b.pixels.size());
        });
        int c = it->widest_channel();
        if (c < 0)
            break;
        auto mid = it->pixels.begin() + static_cast<std::ptrdiff_t>(it->pixels.size() / 2);
        std::nth_element(it->pixels.begin(), mid, it->pixels.end(),
                         [c](const Colour& a, const Colour& b) { return a[c] < b[c]; });
        Box upper{std::vector<Colour>(mid, it->pixels.end())};
        it->pixels.erase(mid, it->pixels.end());
        boxes.push_back(std::move(upper));
    }
    Palette pal;
    for (const Box& b : boxes)
        pal.push_back(average(b.pixels));
    return pal;
}

std::vector<uint8_t> map_to_palette(const Image& image, const Palette& palette)
{
    const int w = image.width, h = image.height;
    std::vector<double> err(static_cast<size_t>(w + 2) * 2 * 3, 0.0);
    auto e = [&](int row, int x, int c) -> double& { return err[(static_cast<size_t>(row & 1) * static_cast<size_t>(w + 2) + static_cast<size_t>(x + 1)) * 3 + static_cast<size_t>(c)]; };
    std::vector<uint8_t> out(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        for (int x = -1; x <= w; ++x)
            for (int c = 0; c < 3; ++c)
                e(y + 1, x, c) = 0;
        for (int x = 0; x < w; ++x) {
            double want[3];
            for (int c = 0; c < 3; ++c)
                want[c] = std::clamp(image.at(x, y)[c] + e(y, x, c), 0.0, 255.0);
            size_t best = 0;
            double best_d = 1e30;
            for (size_t i = 0; i < palette.size(); ++i) {
                double d = 0;
                for (int c = 0; c < 3; ++c)
                    d += (want[c] - palette[i][c]) * (want[c] - palette[i][c]);
                if (d < best_d) {
                    best_d = d;
                    best = i;
                }
            }
            out[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] = static_cast<uint8_t>(best);
            for (int c = 0; c < 3; ++c) {
                double q = want[c] - palette[best][c];
                e(y, x + 1, c) += q * 7 / 16;
                e(y + 1, x - 1, c) += q * 3 / 16;
                e(y + 1, x, c) += q * 5 / 16;
                e(y + 1, x + 1, c) += q * 1 / 16;
            }
        }
    }
    return out;
}

} // namespace paint
