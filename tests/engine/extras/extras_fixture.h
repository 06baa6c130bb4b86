// An engine on the recording display, started at 640 x 480, with a tile texture file at hand.
#pragma once

#include <string>

#include <varnel2d/testing/engine_on_doubles.h>
#include "support/temp_folder.h"
#include "support/test_files.h"

namespace varnel2d::testing {

struct extras_engine : recorded_engine {
  temp_folder folder;
  extras_engine() {
    engine->init(0, 640, 480, 32);
    engine->timedelta = 1.0f;
  }
  // A 200 x 100 opaque texture file loaded into texture slot `index`.
  void load_texture(int index, const std::string& name = "tiles.png") {
    write_png(folder.file(name), filled_image(200, 100, 0xFFFFFFFFu));
    engine->texture_load(index, folder.file(name), 0u, true);
  }
  // The display handle of texture slot `index`, learned by drawing from it once.
  image_handle handle_of(int index) {
    engine->texture_draw(index, 0, 0, 1, 1, 0, 0, 255, 255, 255, 255, 0, 1, 1, true, 0, 0, 0, 1, 1, 0);
    const image_handle handle = display->quads.back().texture;
    display->quads.clear();
    return handle;
  }
};

}  // namespace varnel2d::testing
