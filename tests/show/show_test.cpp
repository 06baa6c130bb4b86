// The show's main loop on an engine of test doubles (headless display, scripted input, settable
// clock) with the real pictures: the exit rules, the close request, the screenshot key, the
// password step, missing pictures, a failed start, and faults while it runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include <varnel2d/Varnel_2D_Engine.h>
#include <varnel2d/testing/engine_on_doubles.h>
#include "shell/shell_state.h"
#include "show/show_window.h"
#include "support/temp_folder.h"
#include "testing/recording_system_services.h"

namespace brisenfall {
namespace {

using testing::headless_engine;
using testing::temp_folder;

// The show window over a data folder linking the real pictures, with a hook that runs once a frame.
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
                             doubles = std::make_unique<headless_engine>();
                             if (when_started) when_started(*doubles);
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
  bool statistics = false;  // the statistics line, and the frame rate printed once a second
  // Runs after the data folder's check on the doubles of the engine about to start.
  std::function<void(headless_engine&)> when_started;
  int frames = 0;
  std::unique_ptr<frmMain> window;
  std::unique_ptr<headless_engine> doubles;
  Varnel_2D_Engine* engine = nullptr;  // valid inside the frame hook
};

constexpr uint8_t ESCAPE = 1, SPACE = 57, LEFT_WINDOWS = 219, RIGHT_WINDOWS = 220, P_KEY = 25;

// Each exit key ends the show at the end of its frame; a mouse button is polled at the next frame's
// start and tested in the frame after; a close request ends the loop at once. Each way unloads once.
TEST(show_loop, exit_keys_a_mouse_button_and_a_close_request_end_the_show) {
  struct way {
    const char* name;
    std::function<void(show_fixture&)> act;  // at frame 3
    int frames;                              // frame 8 asks to close
  };
  const auto key = [](uint8_t code) { return [code](show_fixture& show) { show.doubles->input->press(code); }; };
  const way ways[] = {
      {"escape", key(ESCAPE), 4},
      {"space", key(SPACE), 4},
      {"left windows", key(LEFT_WINDOWS), 4},
      {"right windows", key(RIGHT_WINDOWS), 4},
      {"button", [](show_fixture& show) { show.doubles->input->queue_mouse(0, 0, false, true); }, 5},
      {"close request", [](show_fixture&) {}, 8},
  };
  for (const way& each : ways) {
    show_fixture show;
    show.run([&](int frame) {
      if (frame == 3) each.act(show);
      return frame == 8;
    });
    EXPECT_EQ(std::tuple(show.frames, show.window->unload_count(), show.window->state().show_running),
              std::tuple(each.frames, 1, false)) << each.name;
  }
}

// Movement in `moving_frames` frames of one five-second window, the first frame among them (its
// cursor always differs from the stored -1, -1). A movement queued after frame n is polled at the
// start of frame n + 1 and tested in frame n + 2.
int frames_shown_with_movement(int moving_frames) {
  show_fixture show;
  show.run([&](int frame) {
    if (frame < moving_frames) show.doubles->input->queue_mouse(3, 0);
    return frame > 60;
  });
  return show.frames;
}

TEST(show_loop, eleven_moving_frames_in_five_seconds_end_the_show_and_the_count_starts_again_every_five_seconds) {
  EXPECT_EQ(std::pair(frames_shown_with_movement(10), frames_shown_with_movement(11)), std::pair(61, 12));

  show_fixture show;
  show.frame_ms = 50;  // the longest frame time counts in full: 100 frames to a five-second window
  show.run([&](int frame) {
    // Eight moving frames in the middle of each window: nine counted in the first, eight after.
    const int in_window = frame % 100;
    if (in_window >= 40 && in_window < 48) show.doubles->input->queue_mouse(2, 2);
    return frame > 400;
  });
  EXPECT_EQ(show.frames, 401);
}

// One press of P saves exactly one screenshot. The statistics print goes on once a second when the
// tick count wraps, 24.8 days in.
TEST(show_loop, one_press_of_p_saves_one_screenshot_and_the_frame_rate_is_printed_across_the_tick_counts_wrap) {
  show_fixture show;
  show.statistics = true;
  show.when_started = [](headless_engine& d) { d.clock->set_ms(2147483648.0 - 4000); };  // warm-up: 2.5 s
  ::testing::internal::CaptureStdout();
  show.run([&](int frame) {
    if (frame == 2) {
      show.doubles->input->press(P_KEY);
      show.doubles->input->release_after_reads(P_KEY, 6);
    }
    return frame == 200;  // 4 s of frames
  });
  const std::string printed = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(std::pair(std::filesystem::exists(show.data.path() / "screen1.bmp"),
                      std::filesystem::exists(show.data.path() / "screen2.bmp")),
            std::pair(true, false));
  size_t lines = 0;
  for (size_t at = printed.find("FPS="); at != std::string::npos; at = printed.find("FPS=", at + 1)) ++lines;
  EXPECT_GE(lines, 4u) << printed;
}

TEST(show_password, the_system_is_told_only_on_a_family_that_needs_it) {
  const auto notices_for = [](int32_t platform, const char* password, bool test_run) {
    show_fixture show;
    show.system.platform = platform;
    show.system.set_text(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", password);
    show.shell.config_preview_active = test_run;
    show.run([](int) { return true; });
    return show.system.screensaver_notices;
  };
  EXPECT_EQ(std::vector({notices_for(1, "1", false), notices_for(1, "0", false), notices_for(2, "1", false),
                         notices_for(1, "1", true)}),
            (std::vector<std::vector<bool>>{{true, false}, {}, {}, {}}));
}

// Missing pictures are named and nothing starts; a data folder stored without its separator is
// found; a failed init shows one message and ends. The window unloads once either way.
TEST(show_start, missing_pictures_or_a_failed_init_show_one_message_and_nothing_runs) {
  struct start {
    const char* name;
    std::function<void(show_fixture&)> prepare;
    const char* message;  // a part of the one message box's text; nullptr: none
    int frames;
  };
  const start starts[] = {
      {"missing pictures",
       [](show_fixture& show) {
         std::filesystem::remove(show.data.path() / "f3.jpg");
         std::filesystem::remove(show.data.path() / "gf1.png");
       },
       "f3.jpg, gf1.png", 0},
      {"no separator", [](show_fixture& show) { show.shell.settings.cfg_install_path.pop_back(); }, nullptr, 1},
      {"failed init",
       [](show_fixture& show) { show.when_started = [](headless_engine& d) { d.input->fail_open = true; }; },
       "Error! Could not initiate DirectX.", 0},
  };
  for (const start& each : starts) {
    show_fixture show;
    each.prepare(show);
    show.run([](int) { return true; });
    EXPECT_EQ(std::pair(show.frames, show.window->unload_count()), std::pair(each.frames, 1)) << each.name;
    ASSERT_EQ(show.system.messages.size(), each.message ? 1u : 0u) << each.name;
    if (each.message != nullptr) {
      EXPECT_EQ(show.system.messages[0].title, "Screensaver");
      EXPECT_NE(show.system.messages[0].text.find(each.message), std::string::npos) << show.system.messages[0].text;
    }
  }
}

// Faults at the seams while the show runs, injected at the end of frame 10: the show goes on or
// ends at once, and logs one line for what it could not do.
struct show_fault {
  const char* name;
  std::function<void(show_fixture&)> inject;
  bool ends;             // the show stops after frame 10, as a failure
  std::string log_line;  // the data folder's data.log afterwards
};

std::string show_log(const show_fixture& show) { return testing::read_file(show.data.path() / "data.log"); }

TEST(show_faults, a_lost_display_is_rebuilt_or_ends_the_show_with_one_line) {
  using enum varnel2d::device_state;
  const std::string display_gone = "The display was lost and could not be rebuilt; the show ends\r\n";
  const show_fault faults[] = {
      // The second loss comes while the first rebuild runs: the engine hears of it at its next look.
      {"lost twice",
       [](show_fixture& show) {
         show.doubles->display->upcoming_states = {lost, lost, ready_to_rebuild, lost, ready_to_rebuild};
       },
       false, ""},
      {"not made again",
       [](show_fixture& show) {
         show.doubles->display->upcoming_states = {ready_to_rebuild};
         show.doubles->display->fail_open = true;
       },
       true, display_gone},
      {"a picture gone before the rebuild",
       [](show_fixture& show) {
         std::filesystem::remove(show.data.path() / "f7.jpg");
         show.doubles->display->upcoming_states = {lost, ready_to_rebuild};
       },
       true, display_gone},
  };
  for (const show_fault& fault : faults) {
    show_fixture show;
    bool loaded_at_the_end = true;  // every picture of the texture plan is on a texture
    int opens_at_the_end = 0;  // the display goes with the engine when the show ends
    show.run([&](int frame) {
      if (frame == 10) fault.inject(show);
      if (frame == 30) {
        for (int i = 1; i <= 28; ++i) loaded_at_the_end &= i == 27 || show.engine->texture_getwidth(i) > 0;
        opens_at_the_end = show.doubles->display->opens();
      }
      return frame == 30;
    });
    // A show that ends at frame 10 never looks at frame 30.
    EXPECT_EQ(std::tuple(show.frames, show.window->failed(), show.window->unload_count(), show_log(show),
                         loaded_at_the_end, opens_at_the_end),
              std::tuple(fault.ends ? 10 : 30, fault.ends, 1, fault.log_line, true, fault.ends ? 0 : 3))
        << fault.name;
  }
}

// Two seconds of batches of 13 flakes fall over the first scene (with its two sprites fading in). A
// picture removed after the check, the common flake every batch uses, is logged and the snow falls
// without it.
TEST(show_faults, the_snow_falls_over_the_first_scene_even_when_a_flake_picture_is_removed_after_the_check) {
  for (const bool removed : {false, true}) {
    show_fixture show;
    if (removed) show.when_started = [&](headless_engine&) { std::filesystem::remove(show.data.path() / "sb1.png"); };
    double flakes = 0;
    show.run([&](int frame) {
      if (frame == 100) flakes = show.engine->sprite_gethowmanyon();
      return frame == 100;
    });
    EXPECT_EQ(std::pair(show.frames, show.window->failed()), std::pair(100, false));
    EXPECT_GT(flakes, removed ? 100 : 300);
    EXPECT_LT(flakes, 1300);
    EXPECT_EQ(show_log(show), removed ? "Cannot load the picture sb1.png\r\n" : "") << removed;
  }
}

}  // namespace
}  // namespace brisenfall
