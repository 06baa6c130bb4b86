// Finding the SoundFont: the environment override, the preferred order, any other ".sf2" file.
#include "engine/backends/soundfont.h"

#include <gtest/gtest.h>

#include "support/audio_test_files.h"
#include "support/test_files.h"

namespace varnel2d {
namespace {

void touch(const std::filesystem::path& file) { testing::write_binary(file, {0}); }

TEST(Soundfont, NamedFileWinsAndIsTheOnlyCandidate) {
  testing::temp_folder folder;
  touch(folder.path() / "FluidR3_GM.sf2");
  touch(folder.path() / "mine.sf2");
  const auto mine = (folder.path() / "mine.sf2").string();
  EXPECT_EQ(find_soundfont(mine.c_str(), folder.path()), folder.path() / "mine.sf2");
  const auto missing = (folder.path() / "gone.sf2").string();
  EXPECT_EQ(find_soundfont(missing.c_str(), folder.path()), std::nullopt);
}

TEST(Soundfont, PrefersFluidThenTimidityThenAnyByName) {
  testing::temp_folder folder;
  EXPECT_EQ(find_soundfont("", folder.path()), std::nullopt);
  touch(folder.path() / "readme.txt");
  EXPECT_EQ(find_soundfont(nullptr, folder.path()), std::nullopt);
  touch(folder.path() / "zeta.sf2");
  touch(folder.path() / "beta.sf2");
  EXPECT_EQ(find_soundfont(nullptr, folder.path()), folder.path() / "beta.sf2");
  touch(folder.path() / "TimGM6mb.sf2");
  EXPECT_EQ(find_soundfont(nullptr, folder.path()), folder.path() / "TimGM6mb.sf2");
  touch(folder.path() / "FluidR3_GM.sf2");
  EXPECT_EQ(find_soundfont("", folder.path()), folder.path() / "FluidR3_GM.sf2");
  EXPECT_EQ(find_soundfont(nullptr, folder.path() / "no-such-folder"), std::nullopt);
}

TEST(Soundfont, GainFollowsTheRealFileBehindALink) {
  testing::temp_folder folder;
  touch(folder.path() / "FluidR3_GM.sf2");
  touch(folder.path() / "TimGM6mb.sf2");
  std::filesystem::create_symlink(folder.path() / "FluidR3_GM.sf2", folder.path() / "default-GM.sf2");
  EXPECT_EQ(soundfont_gain(folder.path() / "default-GM.sf2"), soundfont_gain(folder.path() / "FluidR3_GM.sf2"));
  EXPECT_NE(soundfont_gain(folder.path() / "FluidR3_GM.sf2"), soundfont_gain(folder.path() / "TimGM6mb.sf2"));
}

}  // namespace
}  // namespace varnel2d
