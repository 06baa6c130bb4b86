// Wave sounds: loading and converting files, and the mixer's start positions, volume, pan and
// separate voices, rendered into memory. Playing once, looping, stopping and the playback rate are
// checked through the engine's sound operations (tests/engine/audio_test.cpp).
#include <gtest/gtest.h>

#include <memory>

#include <varnel2d/audio_output.h>
#include "engine/backends/wave_mixer.h"
#include "engine/backends/wave_sound.h"
#include "support/audio_test_files.h"
#include "support/temp_folder.h"

namespace varnel2d {
namespace {

using testing::measure;
using testing::sounding_frames;

constexpr int16_t level = 16384;  // 0.5 of full scale

class WaveMixerTest : public ::testing::Test {
 protected:
  // Loads a wave of `frames` constant frames (or a rising ramp) written at `rate`, `channels`.
  std::shared_ptr<const wave_sound> load(int rate, int channels, int frames, bool ramp = false) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames * channels; ++i) samples.push_back(ramp ? static_cast<int16_t>(i / channels) : level);
    testing::write_binary(folder.path() / "tone.wav", testing::make_wav(rate, channels, samples));
    auto loaded = load_wave(folder.path() / "tone.wav");
    EXPECT_TRUE(std::holds_alternative<wave_sound>(loaded));
    return std::make_shared<const wave_sound>(std::get<wave_sound>(std::move(loaded)));
  }

  std::vector<float> mix(int frames) {
    std::vector<float> out(2 * static_cast<size_t>(frames), 0.0f);
    mixer.mix(out.data(), frames);
    return out;
  }

  testing::temp_folder folder;
  wave_mixer mixer{audio_output_rate};
};

TEST_F(WaveMixerTest, LoadsMonoSixteenBitAsFloatStereoAndSaysWhyAFileIsRefused) {
  const auto sound = load(22050, 1, 1000);
  EXPECT_EQ(sound->rate, 22050);
  EXPECT_EQ(sound->file_frame_bytes, 2);
  ASSERT_EQ(sound->frames(), 1000);
  EXPECT_FLOAT_EQ(sound->samples[0], 0.5f);
  EXPECT_FLOAT_EQ(sound->samples[1], 0.5f) << "mono sounds on both sides at full level";

  testing::write_binary(folder.path() / "text.wav", {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e'});
  const std::vector<uint8_t> cut = testing::make_wav(22050, 1, {1, 2, 3});
  const std::tuple<std::variant<wave_sound, wave_error>, int32_t, const char*> refusals[] = {
      {load_wave(folder.path() / "none.wav"), wave_error_missing, "none.wav"},
      {load_wave(folder.path() / "text.wav"), wave_error_format, "text.wav"},
      {decode_wave(std::span(cut).first(30), "cut.wav"), wave_error_format, "cut.wav"},  // ends in the format
  };
  for (const auto& [result, number, name] : refusals) {
    ASSERT_TRUE(std::holds_alternative<wave_error>(result)) << name;
    EXPECT_EQ(std::get<wave_error>(result).number, number) << name;
    EXPECT_NE(std::get<wave_error>(result).description.find(name), std::string::npos) << name;
  }
}

TEST_F(WaveMixerTest, ANewVoiceIsSilentAndPlayRestartsAtTheGivenByte) {
  const int ramp = mixer.add(load(audio_output_rate, 2, 3000, true));
  EXPECT_EQ(sounding_frames(mix(1000)), 0u) << "a new voice is stopped";
  mixer.play(ramp, false, 4 * 1000 + 3);  // 1000 frames of 4 bytes, the odd bytes rounded down
  auto out = mix(1500);
  EXPECT_FLOAT_EQ(out[0], 1000.0f / 32768.0f);
  mixer.play(ramp, false, 0);
  out = mix(4000);
  EXPECT_EQ(out[2], 1.0f / 32768.0f) << "play starts again from the given byte";
  EXPECT_EQ(sounding_frames(out), 3000u);
  mixer.play(ramp, false, 4 * 1000 + 3);
  EXPECT_EQ(sounding_frames(mix(4000)), 2000u);
}

TEST_F(WaveMixerTest, VolumeAndPanInHundredthsOfADecibel) {
  const int voice = mixer.add(load(audio_output_rate, 1, 4410));
  const std::tuple<int32_t, int32_t, double, double> settings[] = {
      {-600, 0, 0.5 * 0.5011872, 0.5 * 0.5011872}, {0, -10000, 0.5, 0}, {0, 10000, 0, 0.5}, {-10000, 0, 0, 0}};
  for (const auto& [volume, pan, left, right] : settings) {
    SCOPED_TRACE(::testing::Message() << "volume " << volume << ", pan " << pan);
    mixer.set_volume(voice, volume);
    mixer.set_pan(voice, pan);
    mixer.play(voice, false, 0);
    const auto out = mix(4410);
    for (int side = 0; side < 2; ++side) {
      const double peak = measure(out, side).peak, expected = side == 0 ? left : right;
      if (expected == 0)
        EXPECT_EQ(peak, 0.0) << "side " << side << " is silent";
      else
        EXPECT_NEAR(peak, expected, 1e-6) << "side " << side;
    }
  }
}

TEST_F(WaveMixerTest, VoicesMixIndependently) {
  const int left = mixer.add(load(audio_output_rate, 1, 2000));
  const int right = mixer.add(load(audio_output_rate, 1, 4000));
  mixer.set_pan(left, -10000);
  mixer.set_pan(right, 10000);
  mixer.play(left, false, 0);
  mixer.play(right, false, 0);
  const auto out = mix(6000);
  EXPECT_EQ(sounding_frames(out), 4000u);
  EXPECT_NEAR(out[2 * 1000], 0.5f, 1e-6);
  EXPECT_EQ(out[2 * 3000], 0.0f) << "the shorter left voice has ended";
  EXPECT_NEAR(out[2 * 3000 + 1], 0.5f, 1e-6);
  mixer.remove(right);
  mixer.play(left, false, 0);
  EXPECT_EQ(sounding_frames(mix(6000)), 2000u);
}

}  // namespace
}  // namespace varnel2d
