// The show window on an engine of test doubles (headless display, scripted input, settable clock),
// a data folder linking the real pictures, and a hook that runs once a frame.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "testing/recording_system_services.h"
#include "shell/shell_state.h"
#include "show/show_window.h"
#include <varnel2d/testing/engine_on_doubles.h>
#include "support/temp_folder.h"

namespace brisenfall::testing {

class show_fixture {
 public:
  show_fixture() {
    for (const auto& entry : std::filesystem::directory_iterator(BRISENFALL_DATA_DIR))
      std::filesystem::create_symlink(entry.path(), data.path() / entry.path().filename());
    shell.settings.cfg_install_path = data.data_path();
    shell.settings.cfg_music_mute = 1;
  }

  // Runs the show; `each_frame` sees the frame number (from 1) and returns true for a close request.
  void run(std::function<bool(int)> each_frame) {
    show_services services{system,
                           [this] {
                             if (when_started) when_started();
                             doubles = std::make_unique<headless_engine>();
                             doubles->input->fail_open = input_fails;
                             if (clock_start_ms) doubles->clock->set_ms(*clock_start_ms);
                             engine = doubles->engine.get();
                             return std::move(doubles->engine);
                           },
                           [this, each_frame] {
                             // Shutdown pumps events too, after the engine has gone.
                             if (!window->state().show_running) return false;
                             doubles->clock->advance_ms(frame_ms);
                             return each_frame(++frames);
                           }};
    services.statistics = statistics;
    window = std::make_unique<frmMain>(shell, std::move(services));
    window->show_window();
  }

  temp_folder data;
  temp_folder config;
  recording_system_services system{config.path().string()};
  shell_state shell;
  double frame_ms = 20;
  bool input_fails = false;  // makes the engine's init fail
  bool statistics = false;   // the statistics line, and the frame rate printed once a second
  std::optional<double> clock_start_ms;  // the clock's reading when the engine is made
  std::function<void()> when_started;  // runs after the data folder's check, before the engine is made
  int frames = 0;
  std::unique_ptr<frmMain> window;
  std::unique_ptr<headless_engine> doubles;
  Varnel_2D_Engine* engine = nullptr;  // valid inside the frame hook
};

}  // namespace brisenfall::testing
