// The instrument keeper: a FluidSynth synthesiser that is never rendered, one instrument a channel.
#include "platform/instrument_keeper.h"

#include <fluidsynth.h>

#include <algorithm>

#include "platform/soundfont.h"

namespace brisenfall {

struct instrument_keeper::fluid_state {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  int soundfont_id = FLUID_FAILED;

  ~fluid_state() {
    if (synth != nullptr) delete_fluid_synth(synth);
    if (settings != nullptr) delete_fluid_settings(settings);
  }
};

std::unique_ptr<instrument_keeper> instrument_keeper::create(const std::filesystem::path& soundfont) {
  silence_fluidsynth_messages();
  if (!soundfont_damage(soundfont).empty()) return nullptr;
  auto fluid = std::make_unique<fluid_state>();
  fluid->settings = new_fluid_settings();
  if (fluid->settings == nullptr) return nullptr;
  fluid_settings_setint(fluid->settings, "synth.dynamic-sample-loading", 1);
  fluid_settings_setint(fluid->settings, "synth.midi-channels", capacity);
  fluid_settings_setint(fluid->settings, "synth.polyphony", 1);
  fluid->synth = new_fluid_synth(fluid->settings);
  if (fluid->synth == nullptr) return nullptr;
  fluid->soundfont_id = fluid_synth_sfload(fluid->synth, soundfont.c_str(), 0);
  if (fluid->soundfont_id == FLUID_FAILED) return nullptr;
  return std::unique_ptr<instrument_keeper>(new instrument_keeper(std::move(fluid)));
}

instrument_keeper::instrument_keeper(std::unique_ptr<fluid_state> fluid) : fluid_(std::move(fluid)) {}
instrument_keeper::~instrument_keeper() = default;

void instrument_keeper::keep(std::span<const uint8_t> midi) {
  for (const midi_program& wanted : midi_programs(midi)) {
    if (static_cast<int>(kept_.size()) >= capacity) return;
    if (!hold(wanted) && wanted.bank != 0) hold({0, wanted.program});
  }
}

// Selects the instrument on the next free channel, which loads its samples; false when the
// SoundFont has no such instrument.
bool instrument_keeper::hold(const midi_program& instrument) {
  if (std::find(kept_.begin(), kept_.end(), instrument) != kept_.end()) return true;
  const int channel = static_cast<int>(kept_.size());
  if (fluid_synth_program_select(fluid_->synth, channel, fluid_->soundfont_id, instrument.bank, instrument.program) !=
      FLUID_OK) {
    return false;
  }
  kept_.push_back(instrument);
  return true;
}

}  // namespace brisenfall
