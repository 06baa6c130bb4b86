// The one place Frostkeep includes the engine: the engine class, its real backends and the names
// of the keys.
#pragma once

#include <memory>

#include <varnel2d/Varnel_2D_Engine.h>
#include <varnel2d/engine_backends.h>
#include <varnel2d/keys.h>

namespace frostkeep {

using engine = ::Varnel_2D_Engine;
namespace key = varnel2d::key;

// An engine on the real window, input, clock and sound card, its window titled `title`.
inline std::unique_ptr<engine> make_engine(const char* title) {
  varnel2d::sdl_display_options display;
  display.title = title;
  return std::make_unique<engine>(varnel2d::real_backends(display));
}

}  // namespace frostkeep
