// The snowflake textures: the soft round flake, twelve large six-fold crystals and a sheet of
// four more crystals on a grid of 62-pixel frames with a one-pixel gap.
#pragma once

#include "image.hpp"

#include <string>
#include <vector>

namespace paint {

constexpr int soft_flake_size = 32;
constexpr int crystal_size = 64;
constexpr int sheet_frame = 62;
constexpr int sheet_size = 2 * sheet_frame + 1;

// A six-fold crystal: one arm is built, then repeated every 60 degrees.
struct Crystal {
    double arm;            // arm length as a fraction of the radius
    double width;          // stroke width of the main arm in pixels (at 64 pixels)
    double plate;          // central hexagonal plate, fraction of the radius (0: none)
    int rings;             // hexagonal rings drawn inside the plate
    bool sectored;         // ribs on the plate towards its corners and edges
    double tip_plate;      // small hexagonal plate at each arm tip (0: none)
    double broad;          // arm drawn as a broad leaf of this half width (0: a plain line)
    int branches;          // pairs of side branches along the arm
    double branch_len;     // longest side branch, fraction of the arm
    double branch_taper;   // 0: all branches equally long .. 1: branches shrink to nothing at the tip
    int depth;             // 1: plain side branches, 2 or 3: branches carry branches of their own
    double column;         // thickness of a capped column's rim seen end on (0: none)
};

// The twelve large crystals (sf1 .. sf12) and the four of the sheet (gf1), in file order.
const std::vector<Crystal>& single_crystals();
const std::vector<Crystal>& sheet_crystals();

// A crystal on a transparent square; white edges, ice-blue body, straight alpha.
Image render_crystal(int size, const Crystal& c);

// The soft round flake: radial alpha falloff with a brighter core.
Image render_soft_flake();

struct FlakeSet {
    Image soft;                  // sb1
    std::vector<Image> singles;  // sf1 .. sf12
    Image sheet;                 // gf1
};
FlakeSet paint_flakes();

// Writes sb1.png, sf1.png .. sf12.png and gf1.png with transparent pixels keyed to magenta.
void write_flakes(const FlakeSet& flakes, const std::string& folder);

} // namespace paint
