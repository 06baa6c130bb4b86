// Fuzz target: a map file loaded the whole way on the headless display, as map_initmapfile does it
// (read, geometry checked, textures loaded from the data folder, the map built), then drawn once.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <varnel2d/Varnel_2D_Engine.h>
#include "fuzz/fuzz_input.h"
#include <varnel2d/testing/headless_display.h>
#include <varnel2d/testing/scripted_input.h>
#include <varnel2d/testing/settable_clock.h>

namespace {

// One engine for every input, with a data folder holding the textures the seed maps name.
struct map_loader {
  std::filesystem::path folder;
  std::unique_ptr<Varnel_2D_Engine> engine;

  map_loader() {
    std::string name = (std::filesystem::temp_directory_path() / "brisenfall-map-fuzz.XXXXXX").string();
    folder = mkdtemp(name.data());
    auto display = std::make_unique<varnel2d::headless_display>();
    varnel2d::headless_display* shown = display.get();
    engine = std::make_unique<Varnel_2D_Engine>(
        varnel2d::engine_backends{std::move(display), std::make_unique<varnel2d::scripted_input>(),
                                    std::make_unique<varnel2d::settable_clock>(), nullptr});
    engine->init(0, 64, 48, 32);
    engine->lib_setpath(folder.string());
    // Any picture serves as a tile texture: the back buffer, saved as a small bitmap.
    for (const char* texture : {"tiles.png", "more.png"}) shown->save_screenshot((folder / texture).string());
  }
  ~map_loader() {
    engine.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

}  // namespace

// The engine's start-up has fontconfig parse its configuration, which it keeps until the process
// ends (the sanitized test run suppresses the same, see tests/sanitizers/lsan.supp).
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so.1\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static map_loader loader;
  std::ofstream(loader.folder / "input.map", std::ios::binary) << fuzz::text(data, size);
  if (loader.engine->map_initmapfile("input.map", false, true, false, false, 0xFFFF00FFu)) loader.engine->map_draw();
  return 0;
}
