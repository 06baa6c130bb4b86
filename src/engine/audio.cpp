// Music and sound: MIDI pieces in 64 slots played one at a time by the synthesiser, and 64 wave
// sounds played independently by the mixer. Without an output (or, for music, a SoundFont) every
// operation does nothing and the loads return false.
#include <string>
#include <variant>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/paths.h"
#include "engine/backends/audio_levels.h"
#include "engine/backends/midi_file.h"
#include <varnel2d/numbers.h>
#include "engine/backends/soundfont.h"
#include "engine/backends/wave_sound.h"

using namespace varnel2d;

namespace {

// The error number reported for an index outside 1..64.
constexpr int32_t subscript_out_of_range = 9;

}  // namespace

bool Varnel_2D_Engine::private_audio_start() {
  private_audio_stop();
  // A silent engine (no output) looks for no SoundFont, and says nothing about one.
  const auto soundfont = state_->backends.audio != nullptr ? find_soundfont() : std::nullopt;
  state_->audio.system = std::make_unique<audio_system>(std::move(state_->backends.audio), soundfont);
  state_->sound_available = state_->audio.system->sound_available();
  state_->music_available = state_->audio.system->music_available();
  if (state_->music_available) music_volume(80);
  return state_->sound_available;
}

void Varnel_2D_Engine::private_audio_stop() {
  if (state_->audio.system) state_->audio.system->close();  // the output stops before the synthesiser goes
  state_->audio = audio_state{};
  state_->sound_available = false;
  state_->music_available = false;
}

std::optional<size_t> Varnel_2D_Engine::private_audio_slot(double indx) {
  const int32_t index = to_int32(indx);
  if (index < 1 || index > static_cast<int32_t>(audio_slot_count)) return std::nullopt;
  return static_cast<size_t>(index - 1);
}

bool Varnel_2D_Engine::music_load(double indx, const std::string& filenameonly, bool usefullpath) {
  if (!state_->music_available) return false;
  const auto slot = private_audio_slot(indx);
  if (!slot) return false;
  auto midi = read_midi_file(data_file(path, filenameonly, usefullpath));
  if (!midi) return false;
  state_->audio.system->music_prepare(*midi);
  state_->audio.music[*slot] = std::move(midi);
  return true;
}

void Varnel_2D_Engine::music_play(double indx, bool loopflag) {
  if (!state_->music_available) return;
  music_stop();
  const auto slot = private_audio_slot(indx);
  if (!slot) return;
  // An empty slot plays nothing, so the piece counts as ended at once.
  if (const auto& midi = state_->audio.music[*slot]) state_->audio.system->music_start(*midi, music_plays(loopflag));
  lib_doevents(1);
  state_->audio.current_music = to_int32(indx);
}

void Varnel_2D_Engine::music_stop() {
  if (!state_->music_available || state_->audio.current_music < 1) return;
  state_->audio.system->music_stop();  // also resets the synthesiser: silent and ready for the next piece
  lib_doevents(1);
}

bool Varnel_2D_Engine::music_isplaying() {
  return state_->music_available && state_->audio.current_music >= 1 && state_->audio.system->music_playing();
}

void Varnel_2D_Engine::music_volume(double volumepercent) {
  if (!state_->music_available) return;
  state_->audio.system->music_level(music_level_hundredths(to_int32(volumepercent)));
}

bool Varnel_2D_Engine::sound_load(double indx, const std::string& filenameonly) {
  if (!state_->sound_available) return false;
  const auto slot = private_audio_slot(indx);
  auto loaded = slot ? load_wave(data_file(path, filenameonly, false))
                     : std::variant<wave_sound, wave_error>(wave_error{subscript_out_of_range, "Subscript out of range"});
  if (auto* error = std::get_if<wave_error>(&loaded)) {
    log("Error. (soundset)");
    log(std::to_string(error->number));
    log("Varnel_2D_Engine.sound_load");
    log(error->description);
    return false;
  }
  if (state_->audio.sounds[*slot] != 0) state_->audio.system->wave_remove(state_->audio.sounds[*slot]);
  state_->audio.sounds[*slot] = state_->audio.system->wave_add(std::make_shared<const wave_sound>(std::get<wave_sound>(std::move(loaded))));
  return true;
}

void Varnel_2D_Engine::sound_play(double indx, bool loopflag, double position) {
  if (!state_->sound_available) return;
  if (const auto slot = private_audio_slot(indx)) state_->audio.system->wave_play(state_->audio.sounds[*slot], loopflag, to_int32(position));
}

void Varnel_2D_Engine::sound_stop(double indx) {
  if (!state_->sound_available) return;
  if (const auto slot = private_audio_slot(indx)) state_->audio.system->wave_stop(state_->audio.sounds[*slot]);
}

void Varnel_2D_Engine::sound_volume(double indx, double volume) {
  if (!state_->sound_available) return;
  if (const auto slot = private_audio_slot(indx)) state_->audio.system->wave_volume(state_->audio.sounds[*slot], to_int32(volume));
}

void Varnel_2D_Engine::sound_freq(double indx, double freq, bool resetflag) {
  if (!state_->sound_available) return;
  const int32_t hertz = resetflag ? 0 : to_int32(freq);
  if (const auto slot = private_audio_slot(indx)) state_->audio.system->wave_frequency(state_->audio.sounds[*slot], hertz);
}

void Varnel_2D_Engine::sound_pan(double indx, double pan) {
  if (!state_->sound_available) return;
  if (const auto slot = private_audio_slot(indx)) state_->audio.system->wave_pan(state_->audio.sounds[*slot], to_int32(pan));
}
