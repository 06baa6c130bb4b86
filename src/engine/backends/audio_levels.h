// Level math for music and wave sounds: hundredths of a decibel to linear gains, the music volume
// scale and the stereo pan law. Free functions, usable without an audio device.
#pragma once

#include <cstdint>

namespace varnel2d {

// Lowest wave volume and the pan limits, in hundredths of a decibel; -10000 is silence.
inline constexpr int32_t wave_level_silent = -10000;
inline constexpr int32_t wave_pan_limit = 10000;

// Linear amplitude factor of a level in hundredths of a decibel (0 is unity);
// -10000 or lower is exact silence.
double gain_from_hundredths(double hundredths);

// Music master level for a volume percentage: clamped to 0..100, then 27 hundredths of a decibel
// per percent from -2500 (0 % gives -2500, 80 % gives -340, 100 % gives +200).
int32_t music_level_hundredths(int32_t percent);

// Wave volume clamped to -10000..0.
int32_t clamp_wave_volume(int32_t hundredths);

struct stereo_gain {
  double left = 1.0;
  double right = 1.0;
};

// Pan in hundredths of a decibel, clamped to -10000..10000: a negative pan attenuates the right
// channel by that much, a positive one the left; the other channel stays at full level.
stereo_gain pan_gains(int32_t pan);

// Playback rate of a wave: 0 means the file's own rate; others are clamped to 100..200000 Hz.
int32_t wave_playback_rate(int32_t requested_hz, int32_t file_rate);

}  // namespace varnel2d
