// Level math for music and wave sounds.
#include "engine/backends/audio_levels.h"

#include <algorithm>
#include <cmath>

namespace varnel2d {

double gain_from_hundredths(double hundredths) {
  if (hundredths <= wave_level_silent) return 0.0;
  return std::pow(10.0, hundredths / 2000.0);
}

int32_t music_level_hundredths(int32_t percent) {
  return std::clamp(percent, 0, 100) * 27 - 2500;
}

int32_t clamp_wave_volume(int32_t hundredths) {
  return std::clamp(hundredths, wave_level_silent, 0);
}

stereo_gain pan_gains(int32_t pan) {
  const int32_t clamped = std::clamp(pan, -wave_pan_limit, wave_pan_limit);
  stereo_gain gain;
  if (clamped < 0) gain.right = gain_from_hundredths(clamped);
  if (clamped > 0) gain.left = gain_from_hundredths(-clamped);
  return gain;
}

int32_t wave_playback_rate(int32_t requested_hz, int32_t file_rate) {
  if (requested_hz == 0) return file_rate;
  return std::clamp(requested_hz, 100, 200000);
}

}  // namespace varnel2d
