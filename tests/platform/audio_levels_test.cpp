// The level math: decibel gains, the music volume scale, the pan law and playback rates.
#include "engine/backends/audio_levels.h"

#include <gtest/gtest.h>

namespace varnel2d {
namespace {

TEST(AudioLevels, HundredthsOfADecibelToGain) {
  EXPECT_DOUBLE_EQ(gain_from_hundredths(0), 1.0);
  EXPECT_NEAR(gain_from_hundredths(-600), 0.5012, 1e-4);
  EXPECT_NEAR(gain_from_hundredths(200), 1.2589, 1e-4);
  EXPECT_GT(gain_from_hundredths(-9999), 0.0);
  EXPECT_EQ(gain_from_hundredths(-10000), 0.0);
  EXPECT_EQ(gain_from_hundredths(-25000), 0.0);
}

TEST(AudioLevels, MusicVolumeScaleIsClampedAndLinearInDecibels) {
  EXPECT_EQ(music_level_hundredths(0), -2500);
  EXPECT_EQ(music_level_hundredths(80), -340);
  EXPECT_EQ(music_level_hundredths(100), 200);
  EXPECT_EQ(music_level_hundredths(150), 200);
  EXPECT_EQ(music_level_hundredths(-5), -2500);
  EXPECT_EQ(music_level_hundredths(50) - music_level_hundredths(49), 27);
}

TEST(AudioLevels, PanAttenuatesTheOtherSideOnly) {
  const stereo_gain hard_left = pan_gains(-10000);
  EXPECT_EQ(hard_left.left, 1.0);
  EXPECT_EQ(hard_left.right, 0.0);
  const stereo_gain hard_right = pan_gains(10000);
  EXPECT_EQ(hard_right.left, 0.0);
  EXPECT_EQ(hard_right.right, 1.0);
  const stereo_gain centre = pan_gains(0);
  EXPECT_EQ(centre.left, 1.0);
  EXPECT_EQ(centre.right, 1.0);
  const stereo_gain slightly_right = pan_gains(600);
  EXPECT_NEAR(slightly_right.left, 0.5012, 1e-4);
  EXPECT_EQ(slightly_right.right, 1.0);
  EXPECT_EQ(pan_gains(-30000).right, 0.0);
}

TEST(AudioLevels, WaveVolumeAndRateLimits) {
  EXPECT_EQ(clamp_wave_volume(300), 0);
  EXPECT_EQ(clamp_wave_volume(-12000), -10000);
  EXPECT_EQ(clamp_wave_volume(-1234), -1234);
  EXPECT_EQ(wave_playback_rate(0, 22050), 22050);
  EXPECT_EQ(wave_playback_rate(11025, 22050), 11025);
  EXPECT_EQ(wave_playback_rate(50, 22050), 100);
  EXPECT_EQ(wave_playback_rate(500000, 22050), 200000);
}

}  // namespace
}  // namespace varnel2d
