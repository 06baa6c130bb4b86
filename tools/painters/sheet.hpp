// A contact sheet for looking at the pictures: every scene and every flake on one page.
#pragma once

#include "flakes.hpp"
#include "image.hpp"

#include <string>

namespace paint {

// Writes sheet.png (the ten scenes at 60 % and the flakes at twice their size on a dark ground)
// and scene01.png .. scene10.png at full size into the folder.
void write_contact_sheet(const Image& strip, const FlakeSet& flakes, const std::string& folder);

} // namespace paint
