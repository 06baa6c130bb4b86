// An engine on the engine's test doubles: a display that draws into memory, keys set by the
// program, a clock that moves only when told and no sound. The one place the game's tools and tests
// name the doubles.
#pragma once

#include <memory>

#include "platform/headless_display.h"
#include "platform/scripted_input.h"
#include "platform/settable_clock.h"
#include "src/engine.h"

namespace frostkeep::testing {

using ::brisenfall::headless_display;
using ::brisenfall::scripted_input;
using ::brisenfall::settable_clock;

struct headless_engine {
  headless_display* display = nullptr;
  scripted_input* input = nullptr;
  settable_clock* clock = nullptr;
  std::unique_ptr<engine> e;

  headless_engine() {
    auto made_display = std::make_unique<headless_display>();
    auto made_input = std::make_unique<scripted_input>();
    auto made_clock = std::make_unique<settable_clock>();
    display = made_display.get();
    input = made_input.get();
    clock = made_clock.get();
    e = std::make_unique<engine>(
        ::brisenfall::engine_backends{std::move(made_display), std::move(made_input), std::move(made_clock), nullptr});
  }
};

}  // namespace frostkeep::testing
