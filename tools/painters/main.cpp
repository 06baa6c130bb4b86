// brisenfall-paint: paints every picture of the show's data folder from fixed seeds.
// Usage: brisenfall-paint <data folder> [--preview <folder for a contact sheet>]
#include "dialog_art.hpp"
#include "flakes.hpp"
#include "image.hpp"
#include "sheet.hpp"
#include "strip.hpp"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--preview")) {
        std::fprintf(stderr, "usage: %s <data folder> [--preview <folder for a contact sheet>]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    try {
        if (!std::filesystem::is_directory(folder))
            throw std::runtime_error("no such folder: " + folder);
        const paint::Image strip = paint::paint_strip();
        paint::write_slices(strip, folder);
        const paint::FlakeSet flakes = paint::paint_flakes();
        paint::write_flakes(flakes, folder);
        paint::write_dialog_art(strip, folder);
        if (argc == 4)
            paint::write_contact_sheet(strip, flakes, argv[3]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "brisenfall-paint: %s\n", e.what());
        return 1;
    }
    return 0;
}
