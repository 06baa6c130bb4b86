// Music and sound: MIDI pieces in 64 slots played one at a time by the synthesiser, and 64 wave
// sounds played independently by the mixer. Without an output (or, for music, a SoundFont) every
// operation does nothing and the loads return false.
#include <string>
#include <variant>

#include "engine/Varnel_2D_Engine.h"
#include "engine/paths.h"
#include "platform/audio_levels.h"
#include "platform/midi_file.h"
#include "platform/numbers.h"
#include "platform/soundfont.h"
#include "platform/wave_sound.h"

using namespace brisenfall;

namespace {

// The error number reported for an index outside 1..64.
constexpr int32_t subscript_out_of_range = 9;

}  // namespace

bool Varnel_2D_Engine::private_audio_start() {
  private_audio_stop();
  // A silent engine (no output) looks for no SoundFont, and says nothing about one.
  const auto soundfont = backends_.audio != nullptr ? find_soundfont() : std::nullopt;
  audio_.system = std::make_unique<audio_system>(std::move(backends_.audio), soundfont);
  sound_available = audio_.system->sound_available();
  music_available = audio_.system->music_available();
  if (music_available) music_volume(80);
  return sound_available;
}

void Varnel_2D_Engine::private_audio_stop() {
  if (audio_.system) audio_.system->close();  // the output stops before the synthesiser goes
  audio_ = audio_state{};
  sound_available = false;
  music_available = false;
}

std::optional<size_t> Varnel_2D_Engine::private_audio_slot(double indx) {
  const int32_t index = to_int32(indx);
  if (index < 1 || index > static_cast<int32_t>(audio_slot_count)) return std::nullopt;
  return static_cast<size_t>(index - 1);
}

bool Varnel_2D_Engine::music_load(double indx, const std::string& filenameonly, bool usefullpath) {
  if (!music_available) return false;
  const auto slot = private_audio_slot(indx);
  if (!slot) return false;
  auto midi = read_midi_file(data_file(path, filenameonly, usefullpath));
  if (!midi) return false;
  audio_.system->music_prepare(*midi);
  audio_.music[*slot] = std::move(midi);
  return true;
}

void Varnel_2D_Engine::music_play(double indx, bool loopflag) {
  if (!music_available) return;
  music_stop();
  const auto slot = private_audio_slot(indx);
  if (!slot) return;
  // An empty slot plays nothing, so the piece counts as ended at once.
  if (const auto& midi = audio_.music[*slot]) audio_.system->music_start(*midi, music_plays(loopflag));
  lib_doevents(1);
  audio_.current_music = to_int32(indx);
}

void Varnel_2D_Engine::music_stop() {
  if (!music_available || audio_.current_music < 1) return;
  audio_.system->music_stop();  // also resets the synthesiser: silent and ready for the next piece
  lib_doevents(1);
}

bool Varnel_2D_Engine::music_isplaying() {
  return music_available && audio_.current_music >= 1 && audio_.system->music_playing();
}

void Varnel_2D_Engine::music_volume(double volumepercent) {
  if (!music_available) return;
  audio_.system->music_level(music_level_hundredths(to_int32(volumepercent)));
}

bool Varnel_2D_Engine::sound_load(double indx, const std::string& filenameonly) {
  if (!sound_available) return false;
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
  if (audio_.sounds[*slot] != 0) audio_.system->wave_remove(audio_.sounds[*slot]);
  audio_.sounds[*slot] = audio_.system->wave_add(std::make_shared<const wave_sound>(std::get<wave_sound>(std::move(loaded))));
  return true;
}

void Varnel_2D_Engine::sound_play(double indx, bool loopflag, double position) {
  if (!sound_available) return;
  if (const auto slot = private_audio_slot(indx)) audio_.system->wave_play(audio_.sounds[*slot], loopflag, to_int32(position));
}

void Varnel_2D_Engine::sound_stop(double indx) {
  if (!sound_available) return;
  if (const auto slot = private_audio_slot(indx)) audio_.system->wave_stop(audio_.sounds[*slot]);
}

void Varnel_2D_Engine::sound_volume(double indx, double volume) {
  if (!sound_available) return;
  if (const auto slot = private_audio_slot(indx)) audio_.system->wave_volume(audio_.sounds[*slot], to_int32(volume));
}

void Varnel_2D_Engine::sound_freq(double indx, double freq, bool resetflag) {
  if (!sound_available) return;
  const int32_t hertz = resetflag ? 0 : to_int32(freq);
  if (const auto slot = private_audio_slot(indx)) audio_.system->wave_frequency(audio_.sounds[*slot], hertz);
}

void Varnel_2D_Engine::sound_pan(double indx, double pan) {
  if (!sound_available) return;
  if (const auto slot = private_audio_slot(indx)) audio_.system->wave_pan(audio_.sounds[*slot], to_int32(pan));
}
