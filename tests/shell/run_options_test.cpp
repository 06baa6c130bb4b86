// The host options: dash forms, window ids, the choice of window and renderer, and every refusal.
#include <gtest/gtest.h>

#include "shell/run_options.h"

namespace brisenfall {
namespace {

using strings = std::vector<std::string>;

run_request accepted(const strings& arguments) {
  const auto parsed = parse_run_options(arguments);
  if (const auto* error = std::get_if<option_error>(&parsed)) ADD_FAILURE() << error->line;
  return std::holds_alternative<run_request>(parsed) ? std::get<run_request>(parsed) : run_request{};
}

TEST(run_options, a_first_argument_with_one_or_two_dashes_and_values_apart_or_after_an_equals_sign) {
  for (const auto& [arguments, dashed] : {std::pair{strings{"--root"}, true}, {{"-root"}, true}, {{"/s"}, false},
                                          {{"/p", "-5"}, false}, {{}, false}})
    EXPECT_EQ(has_run_options(arguments), dashed) << arguments.size();
  for (const strings& form : {strings{"-root", "-snow", "500", "-volume=7"}, {"--root", "--snow=500", "--volume", "7"}}) {
    const run_request r = accepted(form);
    EXPECT_EQ(std::tuple(r.root, r.snow, r.volume, r.window_id.has_value(), r.scene_seconds.has_value()),
              std::tuple(true, 500, 7, false, false));
  }
}

TEST(run_options, every_setting_option_and_the_last_of_mute_and_music_wins) {
  const run_request r =
      accepted({"--scene-seconds", "5", "--depth", "32", "--fps", "--music", "--mute", "--snow", "3000"});
  EXPECT_EQ(std::tuple(r.scene_seconds, r.depth, r.fps, r.mute, r.snow), std::tuple(5, 32, true, -1, 3000));
  EXPECT_EQ(accepted({"--mute", "--music"}).mute, 0);
  EXPECT_EQ(accepted({"--renderer", "software", "--max-fps=10"}).renderer, varnel2d::display_renderer::software);
  EXPECT_EQ(accepted({"--renderer=gl", "--max-fps", "240"}).max_fps, 240);
  EXPECT_EQ(accepted({"--renderer", "auto"}).renderer, varnel2d::display_renderer::automatic);
  EXPECT_EQ(accepted({"--help"}).what, run_request::action::help);
  EXPECT_EQ(accepted({"-version"}).what, run_request::action::version);

  // The options lie over the settings in memory and leave the rest.
  settings_values settings;
  settings.cfg_install_path = "/data/";
  apply_run_options(accepted({"--snow", "200", "--mute", "--depth", "32"}), settings);
  EXPECT_EQ(std::tie(settings.cfg_snow_amount, settings.cfg_music_mute, settings.cfg_video_depth,
                     settings.cfg_music_volume, settings.cfg_scene_time, settings.cfg_install_path),
            std::tuple(200, -1, 32, 80, 30, "/data/"));
}

TEST(run_options, the_renderer_option_over_the_environment_over_the_automatic_choice) {
  using varnel2d::display_renderer;
  using choice = std::tuple<std::optional<display_renderer>, const char*, display_renderer, bool>;
  for (const auto& [option, environment, chosen, warned] :
       {choice{display_renderer::gl, "software", display_renderer::gl, false},
        {std::nullopt, "software", display_renderer::software, false},
        {std::nullopt, "gl", display_renderer::gl, false}, {std::nullopt, nullptr, display_renderer::automatic, false},
        {std::nullopt, "", display_renderer::automatic, false},
        {std::nullopt, "GL!", display_renderer::automatic, true}}) {
    std::string warning;
    EXPECT_EQ(choose_renderer(option, environment, warning), chosen) << (environment ? environment : "-");
    EXPECT_EQ(warning.find("BRISENFALL_RENDERER takes auto, gl or software, not 'GL!'") != std::string::npos, warned);
  }
}

TEST(run_options, window_ids_in_hexadecimal_and_decimal) {
  EXPECT_EQ(accepted({"--window-id", "0x1a00003"}).window_id, 0x1a00003u);
  EXPECT_EQ(accepted({"--window-id", "0X1A00003"}).window_id, 0x1a00003u);
  EXPECT_EQ(accepted({"-window-id", "27262979"}).window_id, 27262979u);
  EXPECT_EQ(accepted({"--window-id=4294967295"}).window_id, 4294967295u);
  for (const char* malformed : {"0", "4294967296", "0x", "12ab", "-5", " 5"})
    EXPECT_EQ(parse_window_id(malformed), std::nullopt) << malformed;
}

// Each refusal is one line starting with the program's name, naming what is wrong.
TEST(run_options, malformed_and_unknown_options_are_refused_in_one_line) {
  const std::pair<strings, const char*> refusals[] = {
      {{"--window-id"}, "--window-id needs a window id"}, {{"--window-id", "0xZZ"}, "'0xZZ'"},
      {{"--snow", "-4"}, "from 100 to 3000"},             {{"--snow", "99999"}, "from 100 to 3000, not '99999'"},
      {{"--snow"}, "from 100 to 3000"},                   {{"--snow", "12.5"}, "not '12.5'"},
      {{"--volume", "101"}, "from 0 to 100"},             {{"--scene-seconds", "4"}, "from 5 to 120"},
      {{"--depth", "24"}, "16 or 32"},                    {{"--renderer", "vulkan"}, "auto, gl or software, not 'vulkan'"},
      {{"--renderer"}, "auto, gl or software"},           {{"--max-fps", "9"}, "from 10 to 240, not '9'"},
      {{"--max-fps", "241"}, "from 10 to 240"},           {{"--frobnicate"}, "unknown option '--frobnicate'"},
      {{"---root"}, "unknown option"},                    {{"--root", "stray"}, "unknown option 'stray'"},
      {{"--root=1"}, "takes no value"},                   {{"-"}, "unknown option"},
      {{"--snow", "0"}, "brisenfall: "},
  };
  for (const auto& [arguments, fragment] : refusals) {
    const auto parsed = parse_run_options(arguments);
    ASSERT_TRUE(std::holds_alternative<option_error>(parsed)) << fragment;
    const std::string& line = std::get<option_error>(parsed).line;
    EXPECT_NE(line.find(fragment), std::string::npos) << line;
    EXPECT_EQ(line.rfind("brisenfall: ", 0), 0u) << line;
    EXPECT_EQ(line.find('\n'), std::string::npos) << line;
  }
}

TEST(run_options, window_id_over_xscreensaver_window_over_the_root_window) {
  using kind = host_choice::kind;
  const auto host = [](const strings& arguments, const char* environment) {
    return std::get<host_choice>(choose_host(accepted(arguments), environment));
  };
  const auto where = [&host](const strings& arguments, const char* environment) {
    const host_choice choice = host(arguments, environment);
    return std::pair(choice.where, choice.window);
  };
  EXPECT_EQ(where({"--root", "--window-id", "77"}, "0x400001"), std::pair(kind::given_window, uint64_t{77}));
  EXPECT_EQ(where({"--window-id", "0x10"}, nullptr).second, 16u);
  EXPECT_EQ(where({"--root"}, "0x400001"), std::pair(kind::xscreensaver_window, uint64_t{0x400001}));
  EXPECT_EQ(host({"--root"}, nullptr).where, kind::root_window);
  EXPECT_EQ(host({"--root"}, "").where, kind::root_window);
  EXPECT_EQ(host({"--snow", "500"}, "0x400001").where, kind::own_window);
  EXPECT_TRUE(std::holds_alternative<option_error>(choose_host(accepted({"--root"}), "window")));

  // Music plays only where the show fills a screen.
  EXPECT_EQ(std::vector({music_may_play(kind::given_window, 200, 150, 1024, 768),
                         music_may_play(kind::given_window, 1024, 700, 1024, 768),
                         music_may_play(kind::given_window, 1024, 768, 1024, 768),
                         music_may_play(kind::xscreensaver_window, 1280, 1024, 2560, 1024),
                         music_may_play(kind::root_window, 2560, 1024, 2560, 1024),
                         music_may_play(kind::own_window, 0, 0, 1024, 768)}),
            std::vector({false, false, true, true, true, true}));
}

}  // namespace
}  // namespace brisenfall
