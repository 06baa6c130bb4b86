// An engine on test doubles, with the doubles kept at hand: recording or headless display,
// scripted input, a settable clock and, when asked, offline audio.
#pragma once

#include <memory>

#include <varnel2d/Varnel_2D_Engine.h>
#include <varnel2d/testing/offline_audio_output.h>
#include <varnel2d/testing/headless_display.h>
#include <varnel2d/testing/recording_display.h>
#include <varnel2d/testing/scripted_input.h>
#include <varnel2d/testing/settable_clock.h>

namespace varnel2d::testing {

template <typename Display>
struct engine_on_doubles {
  Display* display = nullptr;
  scripted_input* input = nullptr;
  settable_clock* clock = nullptr;
  offline_audio_output* audio = nullptr;  // only with offline audio
  std::unique_ptr<Varnel_2D_Engine> engine;

  // Without offline audio the engine runs silently.
  explicit engine_on_doubles(bool with_offline_audio = false) {
    auto made_display = std::make_unique<Display>();
    auto made_input = std::make_unique<scripted_input>();
    auto made_clock = std::make_unique<settable_clock>();
    auto made_audio = with_offline_audio ? std::make_unique<offline_audio_output>() : nullptr;
    display = made_display.get();
    input = made_input.get();
    clock = made_clock.get();
    audio = made_audio.get();
    engine = std::make_unique<Varnel_2D_Engine>(engine_backends{
        std::move(made_display), std::move(made_input), std::move(made_clock), std::move(made_audio)});
  }
  Varnel_2D_Engine* operator->() { return engine.get(); }
};

using recorded_engine = engine_on_doubles<recording_display>;
using headless_engine = engine_on_doubles<headless_display>;

}  // namespace varnel2d::testing
