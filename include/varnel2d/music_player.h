// A MIDI player on the sound card for programs that want music without an engine object or a
// window (a settings dialog's preview, a jukebox): the same synthesiser, SoundFont search and
// volume scale as the engine's music family.
#pragma once

#include <memory>
#include <string>

namespace varnel2d {

class audio_system;

class music_player {
 public:
  music_player();
  ~music_player();
  music_player(const music_player&) = delete;
  music_player& operator=(const music_player&) = delete;

  // Opens the sound card if needed and plays a standard MIDI or RIFF MIDI (".rmi") file once from
  // its beginning at `volumepercent` (0..100, as music_volume), ending the previous piece. False
  // when there is no sound card or SoundFont, or the file cannot be played: then all stays silent.
  bool play(const std::string& path, double volumepercent);

  // Ends the piece and closes the sound card, so that another program (or an engine) may take it.
  void stop();

 private:
  std::unique_ptr<audio_system> audio_;
};

}  // namespace varnel2d
