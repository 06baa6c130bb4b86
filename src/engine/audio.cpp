// No audio: the audio family replaces this file with the music and sound backends.
#include "engine/Varnel_2D_Engine.h"

bool Varnel_2D_Engine::private_audio_start() {
  sound_available = false;
  music_available = false;
  return false;
}

void Varnel_2D_Engine::private_audio_stop() {}
