// The instrument keeper: a FluidSynth synthesiser that is never rendered, one instrument a
// channel, fed by a loading thread.
#include "engine/backends/instrument_keeper.h"

#include <fluidsynth.h>

#include <algorithm>

#include "engine/backends/soundfont.h"

namespace varnel2d {

struct instrument_keeper::fluid_state {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  int soundfont_id = FLUID_FAILED;

  ~fluid_state() {
    if (synth != nullptr) delete_fluid_synth(synth);
    if (settings != nullptr) delete_fluid_settings(settings);
  }

  // Loads the SoundFont's structure (no samples yet); false when FluidSynth cannot.
  bool load(const std::filesystem::path& soundfont) {
    settings = new_fluid_settings();
    if (settings == nullptr) return false;
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings, "synth.midi-channels", capacity);
    fluid_settings_setint(settings, "synth.polyphony", 1);
    synth = new_fluid_synth(settings);
    if (synth == nullptr) return false;
    soundfont_id = fluid_synth_sfload(synth, soundfont.c_str(), 0);
    return soundfont_id != FLUID_FAILED;
  }
};

std::unique_ptr<instrument_keeper> instrument_keeper::create(const std::filesystem::path& soundfont) {
  silence_fluidsynth_messages();
  if (!soundfont_damage(soundfont).empty()) return nullptr;
  return std::unique_ptr<instrument_keeper>(new instrument_keeper(soundfont));
}

instrument_keeper::instrument_keeper(std::filesystem::path soundfont)
    : soundfont_(std::move(soundfont)), loader_([this] { load_in_turn(); }) {}

instrument_keeper::~instrument_keeper() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  changed_.notify_all();
  loader_.join();
}

void instrument_keeper::keep(std::span<const uint8_t> midi) {
  auto wanted = midi_programs(midi);
  {
    std::lock_guard lock(mutex_);
    waiting_.push_back(std::move(wanted));
  }
  changed_.notify_all();
}

std::vector<midi_program> instrument_keeper::kept() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return waiting_.empty() && !busy_; });
  return kept_;
}

// The loading thread: the SoundFont first, then each piece's instruments as they come.
void instrument_keeper::load_in_turn() {
  fluid_state fluid;
  const bool loaded = fluid.load(soundfont_);
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return closing_ || !waiting_.empty(); });
    if (closing_) break;
    const std::vector<midi_program> wanted = std::move(waiting_.front());
    waiting_.pop_front();
    busy_ = true;
    lock.unlock();
    if (loaded) hold_all(fluid, wanted);
    lock.lock();
    busy_ = false;
    changed_.notify_all();
  }
}

void instrument_keeper::hold_all(fluid_state& fluid, const std::vector<midi_program>& wanted) {
  for (const midi_program& instrument : wanted) {
    {
      std::lock_guard lock(mutex_);
      if (closing_ || static_cast<int>(kept_.size()) >= capacity) return;
    }
    if (!hold(fluid, instrument) && instrument.bank != 0) hold(fluid, {0, instrument.program});
  }
}

// Selects the instrument on the next free channel, which loads its samples; false when the
// SoundFont has no such instrument.
bool instrument_keeper::hold(fluid_state& fluid, const midi_program& instrument) {
  int channel = 0;
  {
    std::lock_guard lock(mutex_);
    if (std::find(kept_.begin(), kept_.end(), instrument) != kept_.end()) return true;
    channel = static_cast<int>(kept_.size());
  }
  if (fluid_synth_program_select(fluid.synth, channel, fluid.soundfont_id, instrument.bank, instrument.program) !=
      FLUID_OK) {
    return false;
  }
  std::lock_guard lock(mutex_);
  kept_.push_back(instrument);
  return true;
}

}  // namespace varnel2d
