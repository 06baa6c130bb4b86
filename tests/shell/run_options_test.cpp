// The host options: dash forms, window ids, the choice of window, and every refusal.
#include <gtest/gtest.h>

#include "shell/run_options.h"

namespace brisenfall {
namespace {

run_request accepted(const std::vector<std::string>& arguments) {
  const auto parsed = parse_run_options(arguments);
  if (const auto* error = std::get_if<option_error>(&parsed)) ADD_FAILURE() << error->line;
  return std::holds_alternative<run_request>(parsed) ? std::get<run_request>(parsed) : run_request{};
}

std::string refusal(const std::vector<std::string>& arguments) {
  const auto parsed = parse_run_options(arguments);
  if (!std::holds_alternative<option_error>(parsed)) {
    ADD_FAILURE() << "accepted";
    return {};
  }
  return std::get<option_error>(parsed).line;
}

TEST(run_options, only_a_first_argument_with_a_dash_selects_the_options) {
  EXPECT_TRUE(has_run_options({"--root"}));
  EXPECT_TRUE(has_run_options({"-root"}));
  EXPECT_FALSE(has_run_options({"/s"}));
  EXPECT_FALSE(has_run_options({"/p", "-5"}));
  EXPECT_FALSE(has_run_options({}));
}

TEST(run_options, one_or_two_dashes_and_values_apart_or_after_an_equals_sign) {
  for (const auto& form : {std::vector<std::string>{"-root", "-snow", "500", "-volume=7"},
                           std::vector<std::string>{"--root", "--snow=500", "--volume", "7"}}) {
    const run_request request = accepted(form);
    EXPECT_TRUE(request.root);
    EXPECT_EQ(request.snow, 500);
    EXPECT_EQ(request.volume, 7);
    EXPECT_FALSE(request.window_id.has_value());
    EXPECT_FALSE(request.scene_seconds.has_value());
  }
}

TEST(run_options, every_setting_option_and_the_last_of_mute_and_music_wins) {
  const run_request request =
      accepted({"--scene-seconds", "5", "--depth", "32", "--fps", "--music", "--mute", "--snow", "3000"});
  EXPECT_EQ(request.scene_seconds, 5);
  EXPECT_EQ(request.depth, 32);
  EXPECT_TRUE(request.fps);
  EXPECT_EQ(request.mute, -1);
  EXPECT_EQ(request.snow, 3000);
  EXPECT_EQ(accepted({"--mute", "--music"}).mute, 0);
  EXPECT_EQ(accepted({"--renderer", "software", "--max-fps=10"}).renderer, varnel2d::display_renderer::software);
  EXPECT_EQ(accepted({"--renderer=gl", "--max-fps", "240"}).max_fps, 240);
  EXPECT_EQ(accepted({"--renderer", "auto"}).renderer, varnel2d::display_renderer::automatic);
  EXPECT_EQ(accepted({"--help"}).what, run_request::action::help);
  EXPECT_EQ(accepted({"-version"}).what, run_request::action::version);
}

TEST(run_options, the_renderer_option_over_the_environment_over_the_automatic_choice) {
  using varnel2d::display_renderer;
  struct choice {
    std::optional<display_renderer> option;
    const char* environment;
    display_renderer chosen;
    bool warned;
  };
  for (const choice& c : {choice{display_renderer::gl, "software", display_renderer::gl, false},
                          choice{std::nullopt, "software", display_renderer::software, false},
                          choice{std::nullopt, "gl", display_renderer::gl, false},
                          choice{std::nullopt, nullptr, display_renderer::automatic, false},
                          choice{std::nullopt, "", display_renderer::automatic, false},
                          choice{std::nullopt, "GL!", display_renderer::automatic, true}}) {
    std::string warning;
    EXPECT_EQ(choose_renderer(c.option, c.environment, warning), c.chosen) << (c.environment ? c.environment : "-");
    EXPECT_EQ(warning.find("BRISENFALL_RENDERER takes auto, gl or software, not 'GL!'") != std::string::npos, c.warned);
  }
}

TEST(run_options, window_ids_in_hexadecimal_and_decimal) {
  EXPECT_EQ(accepted({"--window-id", "0x1a00003"}).window_id, 0x1a00003u);
  EXPECT_EQ(accepted({"--window-id", "0X1A00003"}).window_id, 0x1a00003u);
  EXPECT_EQ(accepted({"-window-id", "27262979"}).window_id, 27262979u);
  EXPECT_EQ(accepted({"--window-id=4294967295"}).window_id, 4294967295u);
  EXPECT_EQ(parse_window_id("0"), std::nullopt);
  EXPECT_EQ(parse_window_id("4294967296"), std::nullopt);
  EXPECT_EQ(parse_window_id("0x"), std::nullopt);
  EXPECT_EQ(parse_window_id("12ab"), std::nullopt);
  EXPECT_EQ(parse_window_id("-5"), std::nullopt);
  EXPECT_EQ(parse_window_id(" 5"), std::nullopt);
}

TEST(run_options, malformed_and_unknown_options_are_refused_in_one_line) {
  EXPECT_NE(refusal({"--window-id"}).find("--window-id needs a window id"), std::string::npos);
  EXPECT_NE(refusal({"--window-id", "0xZZ"}).find("'0xZZ'"), std::string::npos);
  EXPECT_NE(refusal({"--snow", "-4"}).find("from 100 to 3000"), std::string::npos);
  EXPECT_NE(refusal({"--snow", "99999"}).find("from 100 to 3000, not '99999'"), std::string::npos);
  EXPECT_NE(refusal({"--snow"}).find("from 100 to 3000"), std::string::npos);
  EXPECT_NE(refusal({"--snow", "12.5"}).find("not '12.5'"), std::string::npos);
  EXPECT_NE(refusal({"--volume", "101"}).find("from 0 to 100"), std::string::npos);
  EXPECT_NE(refusal({"--scene-seconds", "4"}).find("from 5 to 120"), std::string::npos);
  EXPECT_NE(refusal({"--depth", "24"}).find("16 or 32"), std::string::npos);
  EXPECT_NE(refusal({"--renderer", "vulkan"}).find("auto, gl or software, not 'vulkan'"), std::string::npos);
  EXPECT_NE(refusal({"--renderer"}).find("auto, gl or software"), std::string::npos);
  EXPECT_NE(refusal({"--max-fps", "9"}).find("from 10 to 240, not '9'"), std::string::npos);
  EXPECT_NE(refusal({"--max-fps", "241"}).find("from 10 to 240"), std::string::npos);
  EXPECT_NE(refusal({"--frobnicate"}).find("unknown option '--frobnicate'"), std::string::npos);
  EXPECT_NE(refusal({"---root"}).find("unknown option"), std::string::npos);
  EXPECT_NE(refusal({"--root", "stray"}).find("unknown option 'stray'"), std::string::npos);
  EXPECT_NE(refusal({"--root=1"}).find("takes no value"), std::string::npos);
  EXPECT_NE(refusal({"-"}).find("unknown option"), std::string::npos);
  for (const auto& line : {refusal({"--snow", "0"}), refusal({"--bogus"})}) {
    EXPECT_EQ(line.rfind("brisenfall: ", 0), 0u);
    EXPECT_EQ(line.find('\n'), std::string::npos);
  }
}

TEST(run_options, window_id_over_xscreensaver_window_over_the_root_window) {
  const auto host = [](const std::vector<std::string>& arguments, const char* environment) {
    return std::get<host_choice>(choose_host(accepted(arguments), environment));
  };
  EXPECT_EQ(host({"--root", "--window-id", "77"}, "0x400001").where, host_choice::kind::given_window);
  EXPECT_EQ(host({"--root", "--window-id", "77"}, "0x400001").window, 77u);
  EXPECT_EQ(host({"--window-id", "0x10"}, nullptr).window, 16u);
  EXPECT_EQ(host({"--root"}, "0x400001").where, host_choice::kind::xscreensaver_window);
  EXPECT_EQ(host({"--root"}, "0x400001").window, 0x400001u);
  EXPECT_EQ(host({"--root"}, nullptr).where, host_choice::kind::root_window);
  EXPECT_EQ(host({"--root"}, "").where, host_choice::kind::root_window);
  EXPECT_EQ(host({"--snow", "500"}, "0x400001").where, host_choice::kind::own_window);
  EXPECT_TRUE(std::holds_alternative<option_error>(choose_host(accepted({"--root"}), "window")));
}

TEST(run_options, options_lie_over_the_settings_and_leave_the_rest) {
  settings_values settings;
  settings.cfg_install_path = "/data/";
  apply_run_options(accepted({"--snow", "200", "--mute", "--depth", "32"}), settings);
  EXPECT_EQ(settings.cfg_snow_amount, 200);
  EXPECT_EQ(settings.cfg_music_mute, -1);
  EXPECT_EQ(settings.cfg_video_depth, 32);
  EXPECT_EQ(settings.cfg_music_volume, 80);
  EXPECT_EQ(settings.cfg_scene_time, 30);
  EXPECT_EQ(settings.cfg_install_path, "/data/");
}

TEST(run_options, music_only_where_the_show_fills_a_screen) {
  using kind = host_choice::kind;
  EXPECT_FALSE(music_may_play(kind::given_window, 200, 150, 1024, 768));
  EXPECT_FALSE(music_may_play(kind::given_window, 1024, 700, 1024, 768));
  EXPECT_TRUE(music_may_play(kind::given_window, 1024, 768, 1024, 768));
  EXPECT_TRUE(music_may_play(kind::xscreensaver_window, 1280, 1024, 2560, 1024));
  EXPECT_TRUE(music_may_play(kind::root_window, 2560, 1024, 2560, 1024));
  EXPECT_TRUE(music_may_play(kind::own_window, 0, 0, 1024, 768));
}

}  // namespace
}  // namespace brisenfall
