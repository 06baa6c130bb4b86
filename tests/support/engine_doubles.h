// An engine on test doubles, with the doubles kept at hand: recording or headless display,
// scripted input and a settable clock.
#pragma once

#include <memory>

#include "engine/Varnel_2D_Engine.h"
#include "platform/headless_display.h"
#include "platform/recording_display.h"
#include "platform/scripted_input.h"
#include "platform/settable_clock.h"

namespace brisenfall::testing {

template <typename Display>
struct engine_on_doubles {
  Display* display = nullptr;
  scripted_input* input = nullptr;
  settable_clock* clock = nullptr;
  std::unique_ptr<Varnel_2D_Engine> engine;

  engine_on_doubles() {
    auto made_display = std::make_unique<Display>();
    auto made_input = std::make_unique<scripted_input>();
    auto made_clock = std::make_unique<settable_clock>();
    display = made_display.get();
    input = made_input.get();
    clock = made_clock.get();
    engine = std::make_unique<Varnel_2D_Engine>(
        engine_backends{std::move(made_display), std::move(made_input), std::move(made_clock), nullptr});
  }
  Varnel_2D_Engine* operator->() { return engine.get(); }
};

using recorded_engine = engine_on_doubles<recording_display>;
using headless_engine = engine_on_doubles<headless_display>;

}  // namespace brisenfall::testing
