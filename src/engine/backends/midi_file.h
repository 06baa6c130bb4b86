// Reading music files: standard MIDI files as they are, and RIFF MIDI (".rmi") files unwrapped to
// the MIDI data of their "data" chunk. The structure is checked here because the synthesiser
// accepts anything and only fails later, silently.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace varnel2d {

// True when the bytes are a well-formed standard MIDI file: an "MThd" header of at least 6 bytes
// with format 0..2, at least one track and a nonzero division, followed by as many "MTrk" chunks
// as the header announces, each lying inside the data (other chunk kinds are skipped).
bool is_standard_midi(std::span<const uint8_t> bytes);

// The MIDI data inside a RIFF "RMID" file (its "data" chunk), or nothing when the bytes are not one.
std::optional<std::vector<uint8_t>> unwrap_rmi(std::span<const uint8_t> bytes);

// An instrument a piece selects: a SoundFont bank and program.
struct midi_program {
  int bank = 0;
  int program = 0;
  auto operator<=>(const midi_program&) const = default;
};

// The instruments the standard MIDI data selects, each once, in order: every program change with
// the bank last chosen on its channel (controller 0), the drum channel (10) in bank 128. Tracks are
// read in file order; a track stops being read where its events stop making sense.
std::vector<midi_program> midi_programs(std::span<const uint8_t> midi);

// The standard MIDI data of a music file's bytes (plain or RIFF-wrapped); nothing when they are not
// valid MIDI.
std::optional<std::vector<uint8_t>> midi_data(std::vector<uint8_t> bytes);

// The standard MIDI data of a music file (plain or RIFF-wrapped); nothing when the file is missing,
// unreadable or not valid MIDI.
std::optional<std::vector<uint8_t>> read_midi_file(const std::filesystem::path& file);

}  // namespace varnel2d
