// Finding the General MIDI SoundFont at run time and the synthesiser gain that suits it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace varnel2d {

// Environment variable that names the SoundFont to use; when set, no other one is tried.
inline constexpr const char* soundfont_variable = "BRISENFALL_SOUNDFONT";

// The folder where Debian installs SoundFonts.
inline const std::filesystem::path system_soundfont_folder = "/usr/share/sounds/sf2";

// The SoundFont to load: the file named by `named` when it is non-empty (nothing if that file does
// not exist); otherwise "FluidR3_GM.sf2", else "TimGM6mb.sf2", else the first ".sf2" file by name
// in `folder`.
std::optional<std::filesystem::path> find_soundfont(const char* named, const std::filesystem::path& folder);

// The same search with the environment variable and the system folder; when it finds nothing it
// says so on stderr.
std::optional<std::filesystem::path> find_soundfont();

// What makes a file unusable as a SoundFont before FluidSynth reads it: empty when it holds a RIFF
// "sfbk" form of the size its header states, else a short reason (not a SoundFont, cut short).
std::string soundfont_damage(const std::filesystem::path& file);

// Turns FluidSynth's own messages off: it reports on stderr problems we check for ourselves (and
// informational chatter); a SoundFont that cannot be used gets one line of ours instead.
void silence_fluidsynth_messages();

// Synthesiser gain for a SoundFont, chosen so that a dense piece at the highest music volume stays
// just below full scale; SoundFonts that were not measured get a cautious default.
float soundfont_gain(const std::filesystem::path& file);

}  // namespace varnel2d
