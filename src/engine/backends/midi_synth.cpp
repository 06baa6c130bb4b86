// The MIDI synthesiser on FluidSynth.
//
// End detection: FluidSynth's player keeps reporting "playing" for a few seconds after the last
// event, so the end is taken from the player's tick instead: the piece has ended when the last play
// has passed the total tick count. Plays are counted by watching the tick wrap back to the start.
#include "engine/backends/midi_synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "engine/backends/audio_levels.h"
#include "engine/backends/soundfont.h"

namespace varnel2d {
namespace {

// Frames rendered per synthesiser call, so a loop back to the start is never missed.
constexpr int render_chunk = 512;

void report_unusable(const std::filesystem::path& soundfont, const std::string& reason) {
  std::cerr << "varnel2d: the SoundFont " << soundfont.string() << " cannot be used (" << reason
            << "); music stays off\n";
}

}  // namespace

struct midi_synth::fluid_state {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_player_t* player = nullptr;
  float soundfont_gain = 0.2f;
  int sample_rate = 0;
  int plays = 0;           // plays asked for the current piece
  int plays_begun = 0;     // plays begun so far (the first counts once the piece starts)
  int last_tick = 0;

  ~fluid_state() {
    drop_player();
    if (synth != nullptr) delete_fluid_synth(synth);
    if (settings != nullptr) delete_fluid_settings(settings);
  }

  void drop_player() {
    if (player == nullptr) return;
    fluid_player_stop(player);
    delete_fluid_player(player);
    player = nullptr;
  }

  bool last_play_passed_end() {
    const int total = fluid_player_get_total_ticks(player);
    return plays_begun >= plays && total > 0 && fluid_player_get_current_tick(player) >= total;
  }

  // Counts a new play each time the tick falls back towards the start.
  void watch_loops() {
    const int tick = fluid_player_get_current_tick(player);
    if (tick < last_tick) ++plays_begun;
    last_tick = tick;
  }
};

std::unique_ptr<midi_synth> midi_synth::create(const std::filesystem::path& soundfont, int sample_rate) {
  silence_fluidsynth_messages();
  // FluidSynth would try a damaged file as a DLS collection too, with more complaints on stderr.
  if (const std::string damage = soundfont_damage(soundfont); !damage.empty()) {
    report_unusable(soundfont, damage);
    return nullptr;
  }
  auto fluid = std::make_unique<fluid_state>();
  fluid->settings = new_fluid_settings();
  if (fluid->settings == nullptr) return nullptr;
  fluid_settings_setnum(fluid->settings, "synth.sample-rate", sample_rate);
  fluid_settings_setint(fluid->settings, "synth.dynamic-sample-loading", 1);
  // Our stop resets the synthesiser; a second reset by the player at the start of a piece would
  // wake voices that were just cut.
  fluid_settings_setint(fluid->settings, "player.reset-synth", 0);
  fluid->synth = new_fluid_synth(fluid->settings);
  if (fluid->synth == nullptr) return nullptr;
  if (fluid_synth_sfload(fluid->synth, soundfont.c_str(), 1) == FLUID_FAILED) {
    report_unusable(soundfont, "FluidSynth cannot read it");
    return nullptr;
  }
  fluid->soundfont_gain = soundfont_gain(soundfont);
  fluid->sample_rate = sample_rate;
  auto synth = std::unique_ptr<midi_synth>(new midi_synth(std::move(fluid)));
  synth->set_level(0);
  return synth;
}

midi_synth::midi_synth(std::unique_ptr<fluid_state> fluid) : fluid_(std::move(fluid)) {}
midi_synth::~midi_synth() = default;

bool midi_synth::start(std::span<const uint8_t> midi, int plays) {
  stop();
  fluid_player_t* player = new_fluid_player(fluid_->synth);
  if (player == nullptr) return false;
  if (fluid_player_add_mem(player, midi.data(), midi.size()) != FLUID_OK) {
    delete_fluid_player(player);
    return false;
  }
  fluid_->plays = std::max(plays, 1);
  fluid_player_set_loop(player, fluid_->plays);
  if (fluid_player_play(player) != FLUID_OK) {
    delete_fluid_player(player);
    return false;
  }
  fluid_->player = player;
  fluid_->plays_begun = 1;
  fluid_->last_tick = 0;
  return true;
}

void midi_synth::stop() {
  fluid_->drop_player();
  // The reset clears programs and controllers; the sounds-off after it cuts every voice (in the
  // other order the reset brings the voices back). Neither empties the reverb's delay lines, whose
  // tail would ring on for seconds: setting the sample rate again rebuilds the effects empty.
  fluid_synth_system_reset(fluid_->synth);
  fluid_synth_all_sounds_off(fluid_->synth, -1);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  fluid_synth_set_sample_rate(fluid_->synth, static_cast<float>(fluid_->sample_rate));
#pragma GCC diagnostic pop
}

bool midi_synth::playing() {
  if (fluid_->player == nullptr) return false;
  if (fluid_player_get_status(fluid_->player) != FLUID_PLAYER_PLAYING) return false;
  return !fluid_->last_play_passed_end();
}

void midi_synth::set_level(double hundredths) {
  fluid_synth_set_gain(fluid_->synth, fluid_->soundfont_gain * static_cast<float>(gain_from_hundredths(hundredths)));
}

void midi_synth::render(float* out, int frames) {
  // Nothing left to sound once the player is gone or finished and every voice has died away.
  const bool idle = (fluid_->player == nullptr || fluid_player_get_status(fluid_->player) == FLUID_PLAYER_DONE) &&
                    fluid_synth_get_active_voice_count(fluid_->synth) == 0;
  if (idle) {
    std::memset(out, 0, sizeof(float) * 2 * static_cast<size_t>(frames));
    return;
  }
  for (int done = 0; done < frames;) {
    const int count = std::min(render_chunk, frames - done);
    float* at = out + 2 * static_cast<size_t>(done);
    fluid_synth_write_float(fluid_->synth, count, at, 0, 2, at, 1, 2);
    if (fluid_->player != nullptr) fluid_->watch_loops();
    done += count;
  }
}

}  // namespace varnel2d
