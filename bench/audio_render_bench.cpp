// Music costs: offline render speed (seconds of music per CPU second, for each installed SoundFont),
// SoundFont loading, the CPU share of music played through the device in real time, and the levels
// behind the SoundFont gains: peak and RMS of a tutti at full volume and of a crowded passage at
// 80 %, with the gain each would allow for a -1 dBFS peak.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>
#include <thread>

#include "engine/backends/audio_levels.h"
#include <varnel2d/audio_output.h>
#include "engine/backends/audio_system.h"
#include "engine/backends/midi_synth.h"
#include "engine/backends/soundfont.h"
#include "support/audio_test_files.h"

namespace varnel2d {
namespace {

double cpu_seconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Renders the whole piece at `percent` volume, without the output's final clamp.
std::vector<float> render_piece(midi_synth& synth, const std::vector<uint8_t>& piece, int32_t percent, double seconds) {
  synth.set_level(music_level_hundredths(percent));
  synth.start(piece, 1);
  std::vector<float> out(2 * static_cast<size_t>(seconds * audio_output_rate));
  synth.render(out.data(), static_cast<int>(out.size() / 2));
  synth.stop();
  return out;
}

void music_render_speed(benchmark::State& state, const std::filesystem::path& soundfont, std::vector<uint8_t> piece) {
  auto synth = midi_synth::create(soundfont, audio_output_rate);
  if (!synth) {
    state.SkipWithError("SoundFont did not load");
    return;
  }
  constexpr int buffer = 1024;  // one device callback
  std::vector<float> out(2 * buffer);
  synth->start(piece, 1000);
  int64_t frames = 0;
  const double cpu_start = cpu_seconds();
  for (auto _ : state) {
    synth->render(out.data(), buffer);
    benchmark::DoNotOptimize(out.data());
    frames += buffer;
  }
  const double music_seconds = static_cast<double>(frames) / audio_output_rate;
  state.counters["music_s_per_cpu_s"] = music_seconds / (cpu_seconds() - cpu_start);
  state.counters["cpu_percent_realtime"] = 100.0 * (cpu_seconds() - cpu_start) / music_seconds;
}

void soundfont_levels(benchmark::State& state, const std::filesystem::path& soundfont) {
  auto synth = midi_synth::create(soundfont, audio_output_rate);
  if (!synth) {
    state.SkipWithError("SoundFont did not load");
    return;
  }
  testing::signal_levels tutti;
  testing::signal_levels crowded;
  for (auto _ : state) {
    tutti = testing::measure(render_piece(*synth, testing::tutti_passage(), 100, 9.0));
    crowded = testing::measure(render_piece(*synth, testing::crowded_passage(), 80, 9.0));
  }
  const double gain = soundfont_gain(soundfont);
  const double target = std::pow(10.0, -1.0 / 20.0);
  state.counters["gain"] = gain;
  state.counters["tutti100_peak_dbfs"] = 20.0 * std::log10(tutti.peak);
  state.counters["tutti100_rms_dbfs"] = tutti.rms_db();
  state.counters["crowded80_peak_dbfs"] = 20.0 * std::log10(crowded.peak);
  state.counters["crowded80_rms_dbfs"] = crowded.rms_db();
  state.counters["gain_for_tutti"] = gain * target / tutti.peak;
  state.counters["gain_for_crowded"] = gain * target / crowded.peak;
}

// Loading the SoundFont (samples are loaded later, per instrument, as pieces select them).
void soundfont_load(benchmark::State& state, const std::filesystem::path& soundfont) {
  for (auto _ : state) benchmark::DoNotOptimize(midi_synth::create(soundfont, audio_output_rate));
}

// A show-like run: the tutti looping through SDL's audio thread (the dummy driver keeps real time)
// while the calling thread idles; reports the whole process's CPU time as a share of one core.
void music_on_device_cpu(benchmark::State& state) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  audio_system audio(make_device_audio_output(), find_soundfont());
  if (!audio.music_available()) {
    state.SkipWithError("no audio output or SoundFont");
    return;
  }
  audio.music_level(music_level_hundredths(80));
  audio.music_start(testing::tutti_passage(), 1000);
  double cpu = 0.0;
  double wall = 0.0;
  for (auto _ : state) {
    const double cpu_start = cpu_seconds();
    const auto wall_start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(5));
    cpu += cpu_seconds() - cpu_start;
    wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();
  }
  state.counters["cpu_percent_of_one_core"] = 100.0 * cpu / wall;
}
BENCHMARK(music_on_device_cpu)->Iterations(2)->Unit(benchmark::kMillisecond);

// Registers one benchmark of each kind per SoundFont found.
const bool registered = [] {
  for (const char* name : {"FluidR3_GM.sf2", "TimGM6mb.sf2"}) {
    const auto file = system_soundfont_folder / name;
    if (!std::filesystem::exists(file)) continue;
    const std::string label = std::filesystem::path(name).stem().string();
    benchmark::RegisterBenchmark(("music_render/tutti/" + label).c_str(), music_render_speed, file, testing::tutti_passage())
        ->MinTime(2.0);
    benchmark::RegisterBenchmark(("music_render/solo/" + label).c_str(), music_render_speed, file, testing::short_piece())
        ->MinTime(2.0);
    benchmark::RegisterBenchmark(("soundfont_levels/" + label).c_str(), soundfont_levels, file)->Iterations(1);
    benchmark::RegisterBenchmark(("soundfont_load/" + label).c_str(), soundfont_load, file)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
}  // namespace varnel2d

BENCHMARK_MAIN();
