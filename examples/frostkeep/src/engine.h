// The one place Frostkeep includes the engine: change the include path or the namespace here.
// Also the DirectInput key numbers the engine's key operations take, by name.
#pragma once

#include <memory>

#include "engine/Varnel_2D_Engine.h"

namespace frostkeep {

using engine = ::Varnel_2D_Engine;

// An engine on the real window, input, clock and sound card, its window titled `title`.
inline std::unique_ptr<engine> make_engine(const char* title) {
  ::brisenfall::sdl_display_options display;
  display.title = title;
  return std::make_unique<engine>(::brisenfall::real_backends(display));
}

// DirectInput keyboard codes of the keys the game reads.
namespace key {
inline constexpr int escape = 1, backspace = 14, enter = 28, space = 57, f12 = 88, keypad_enter = 156;
inline constexpr int up = 200, left = 203, right = 205, down = 208;
inline constexpr int w = 17, a = 30, s = 31, d = 32;
}  // namespace key

}  // namespace frostkeep
