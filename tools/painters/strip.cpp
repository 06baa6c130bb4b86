// Painting the strip and cutting it into slices.
#include "strip.hpp"

#include "scenes.hpp"

namespace paint {

Image paint_strip()
{
    const auto& scenes = scene_list();
    Image strip(scene_width * static_cast<int>(scenes.size()), scene_height);
    int x = 0;
    for (const Scene& s : scenes) {
        Canvas canvas(scene_width, scene_height);
        s.paint(canvas);
        paste(strip, from_surface(canvas.surface()), x, 0);
        x += scene_width;
    }
    return strip;
}

void write_slices(const Image& strip, const std::string& folder)
{
    for (int i = 0; i < slice_count; ++i) {
        Image slice = crop(strip, i * slice_width, 0, slice_width, strip.height);
        write_jpeg(folder + "/f" + std::to_string(i + 1) + ".jpg", slice, 90);
    }
}

} // namespace paint
