// The window display through OpenGL and the one that composes on the CPU draw the same picture:
// a frame of the show half way through a cross-fade and a seeded scene of rotated, scaled, tinted
// and half-transparent sprites, each recorded once and replayed on both under Xvfb.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <random>

#include <varnel2d/Varnel_2D_Engine.h>
#include <varnel2d/engine_backends.h>
#include <varnel2d/testing/headless_display.h>
#include <varnel2d/testing/scripted_input.h>
#include <varnel2d/testing/settable_clock.h>
#include "recorded_frame.h"
#include "shell/shell_state.h"
#include "show/show_window.h"
#include "support/temp_folder.h"
#include "support/test_files.h"
#include "support/virtual_display.h"
#include "testing/recording_system_services.h"

namespace brisenfall {
namespace {

using namespace varnel2d;
using varnel2d::testing::recorded_frame;

// Peak signal-to-noise ratio of two pictures in decibels, over the three colour channels.
double psnr(const testing::pixel_image& a, const testing::pixel_image& b) {
  double squares = 0;
  for (size_t i = 0; i < a.argb.size(); ++i)
    for (int shift = 0; shift < 24; shift += 8) {
      const double d = static_cast<double>((a.argb[i] >> shift) & 255) - static_cast<double>((b.argb[i] >> shift) & 255);
      squares += d * d;
    }
  const double mean = squares / (3.0 * static_cast<double>(a.argb.size()));
  return mean == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mean);
}

// The show's frame at 12 s with a new scene every second (20 ms frames), snow included.
recorded_frame show_frame(const testing::temp_folder& data) {
  for (const auto& entry : std::filesystem::directory_iterator(BRISENFALL_DATA_DIR))
    std::filesystem::create_symlink(entry.path(), data.path() / entry.path().filename());
  testing::temp_folder config;
  recording_system_services system{config.path().string()};
  shell_state shell;
  shell.settings.cfg_install_path = data.data_path();
  shell.settings.cfg_music_mute = 1;
  shell.settings.cfg_scene_time = 1;
  constexpr int32_t frame_to_keep = 600;
  testing::frame_recorder* recorder = nullptr;
  settable_clock* clock = nullptr;
  recorded_frame kept;
  int32_t frames = 0;
  std::unique_ptr<frmMain> window;
  show_services services{system,
                         [&] {
                           auto made_recorder = std::make_unique<testing::frame_recorder>(
                               std::make_unique<headless_display>(), frame_to_keep);
                           auto made_clock = std::make_unique<settable_clock>();
                           recorder = made_recorder.get();
                           clock = made_clock.get();
                           return std::make_unique<Varnel_2D_Engine>(
                               engine_backends{std::move(made_recorder), std::make_unique<scripted_input>(),
                                               std::move(made_clock), nullptr});
                         },
                         [&] {
                           if (!window->state().show_running) return false;
                           clock->advance_ms(20);
                           if (++frames <= frame_to_keep) return false;
                           kept = recorder->kept();
                           return true;
                         }};
  window = std::make_unique<frmMain>(shell, std::move(services));
  window->show_window();
  return kept;
}

// A scene slice under 300 snowflakes turned, scaled and tinted at random (seed 21), drawn at whole
// pixels as the engine places quads.
recorded_frame sprite_scene() {
  testing::frame_recorder display(std::make_unique<headless_display>(), 1);
  EXPECT_TRUE(display.open({0, 640, 480, 32}));
  sprite_quad whole;
  whole.texture = display.load_texture(BRISENFALL_DATA_DIR "/f1.jpg", 0);
  whole.right = 512;
  whole.bottom = 480;
  whole.scale_x = 1.25f;
  const image_handle texture = display.load_texture(BRISENFALL_DATA_DIR "/sf3.png", 0xFFFF00FFu);
  std::mt19937 random(21);
  std::uniform_real_distribution<float> unit(0, 1);
  display.begin_frame();
  display.draw(whole);
  for (int i = 0; i < 300; ++i) {
    sprite_quad q;
    q.texture = texture;
    q.right = q.bottom = 64;
    q.scale_x = q.scale_y = 0.25f + unit(random);
    q.centre_x = q.centre_y = 32 * q.scale_x;
    q.rotation = 2 * std::numbers::pi_v<float> * unit(random);
    q.x = std::floor(-20 + 660 * unit(random));
    q.y = std::floor(-20 + 500 * unit(random));
    q.colour = static_cast<uint32_t>(128 + 127 * unit(random)) << 24 | static_cast<uint32_t>(155 + 100 * unit(random)) << 16 |
               static_cast<uint32_t>(155 + 100 * unit(random)) << 8 | 255u;
    display.draw(q);
  }
  display.present();
  display.close();
  return display.kept();
}

// The frame's screenshot through one window display, as the engine saves it.
testing::pixel_image drawn_by(display_renderer renderer, const recorded_frame& frame, const std::string& file) {
  sdl_display_options options;
  options.renderer = renderer;
  auto display = make_sdl_display(options);
  EXPECT_TRUE(replay(frame, *display));
  EXPECT_TRUE(display->save_screenshot(file));
  display->close();
  return testing::read_bmp24(file);
}

TEST(BackendAgreement, TheShowAndASpriteSceneLookTheSameThroughOpenGlAndOnTheCpu) {
  testing::virtual_display screen;
  setenv("DISPLAY", screen.name().c_str(), 1);
  testing::temp_folder data, shots;
  const std::pair<const char*, recorded_frame> frames[] = {{"show", show_frame(data)},
                                                          {"sprites", sprite_scene()}};
  for (const auto& [name, frame] : frames) {
    SCOPED_TRACE(name);
    ASSERT_GT(frame.steps.size(), 300u);
    const testing::pixel_image gl = drawn_by(display_renderer::gl, frame, shots.file(std::string(name) + "-gl.bmp"));
    const testing::pixel_image cpu =
        drawn_by(display_renderer::software, frame, shots.file(std::string(name) + "-cpu.bmp"));
    ASSERT_EQ(gl.width, 640);
    ASSERT_EQ(cpu.width, 640);
    const double decibels = psnr(gl, cpu);
    std::printf("%s: PSNR of the CPU display against OpenGL: %.1f dB\n", name, decibels);
    EXPECT_GE(decibels, 35.0);
  }
}

}  // namespace
}  // namespace brisenfall
