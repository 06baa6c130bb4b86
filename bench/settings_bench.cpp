// The settings file's text: formatting and reading a file with a full custom music list.
#include <benchmark/benchmark.h>

#include "shell/settings_file.h"

namespace {

brisenfall::settings_values full_list() {
  brisenfall::settings_values values;
  values.cfg_install_path = "/usr/share/brisenfall/";
  values.cfg_music_count = 20;
  for (int i = 0; i < 20; ++i) values.cfg_music_files.push_back("/home/user/Music/piece " + std::to_string(i) + ".mid");
  return values;
}

void format_settings(benchmark::State& state) {
  const auto values = full_list();
  for (auto _ : state) benchmark::DoNotOptimize(brisenfall::format_settings_file(values, [] { return 5; }));
}
BENCHMARK(format_settings);

void parse_settings(benchmark::State& state) {
  const std::string text = brisenfall::format_settings_file(full_list(), [] { return 5; });
  for (auto _ : state) {
    brisenfall::settings_values values;
    benchmark::DoNotOptimize(brisenfall::parse_settings_file(text, values));
  }
}
BENCHMARK(parse_settings);

}  // namespace

BENCHMARK_MAIN();
