// Counters, random numbers, colours, files, the data folder and the log.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include <varnel2d/random.h>
#include <varnel2d/testing/engine_on_doubles.h>
#include "support/test_files.h"

namespace varnel2d {
namespace {

using testing::recorded_engine;

TEST(Counters, WrapJumpsToTheOtherEndAndLimitStops) {
  recorded_engine engine;
  double var = 10;
  engine->lib_varaddwrap(var, 1, 0, 10);
  EXPECT_EQ(var, 0);
  var = 0;
  engine->lib_varaddwrap(var, -3, 0, 10);
  EXPECT_EQ(var, 10);
  var = 10;
  engine->lib_varaddlimit(var, 1, 0, 10);
  EXPECT_EQ(var, 10);
  var = 2;
  engine->lib_varaddlimit(var, -5, 0, 10);
  EXPECT_EQ(var, 0);
  var = 4;
  engine->lib_varaddlimit(var, 1.5, 0, 10);
  EXPECT_EQ(var, 5.5);
}

TEST(RandomNumbers, GetNumberStaysInsideBothBounds) {
  recorded_engine engine;
  random_seed(7);
  std::set<double> seen;
  for (int i = 0; i < 3000; ++i) seen.insert(engine->lib_getnumber(1, 6));
  EXPECT_EQ(seen, (std::set<double>{1, 2, 3, 4, 5, 6}));
  for (int i = 0; i < 100; ++i) EXPECT_EQ(engine->lib_getnumber(5, 5), 5);
  for (int i = 0; i < 1000; ++i) {
    const double n = engine->lib_getnumber(-3, 3);
    EXPECT_GE(n, -3);
    EXPECT_LE(n, 3);
  }
}

TEST(RandomNumbers, DrawsWithinOneMillisecondStillDiffer) {
  recorded_engine engine;
  std::set<double> seen;
  for (int i = 0; i < 200; ++i) seen.insert(engine->lib_getnumber(1, 1000000));
  EXPECT_GT(seen.size(), 190u);
}

TEST(RandomNumbers, ChanceOfAllOrNothing) {
  recorded_engine engine;
  int hits_all = 0, hits_none = 0, hits_half = 0;
  for (int i = 0; i < 2000; ++i) {
    hits_all += engine->lib_chance(100) ? 1 : 0;
    hits_none += engine->lib_chance(0) ? 1 : 0;
    hits_half += engine->lib_chance(50) ? 1 : 0;
  }
  EXPECT_EQ(hits_all, 2000);
  EXPECT_LT(hits_none, 5);
  EXPECT_GT(hits_half, 800);
  EXPECT_LT(hits_half, 1200);
}

TEST(Colours, PackedAsArgb) {
  recorded_engine engine;
  EXPECT_EQ(engine->lib_getargbcolor(255, 255, 0, 255), 0xFFFF00FFu);
  EXPECT_EQ(engine->lib_getargbcolor(255, 255, 255, 255), 0xFFFFFFFFu);
  EXPECT_EQ(engine->lib_getargbcolor(128, 1, 2, 3), 0x80010203u);
  EXPECT_EQ(engine->lib_getargbcolor(0, 0, 0, 0.5), 0x00000000u);  // halves to even
  EXPECT_EQ(engine->lib_getargbcolor(0, 0, 0, 1.5), 0x00000002u);
}

TEST(Distance, IsEuclidean) {
  recorded_engine engine;
  EXPECT_EQ(engine->lib_getdistance(0, 0, 3, 4), 5);
}

TEST(Files, ExistsNeedsARegularFileOfTwoBytes) {
  recorded_engine engine;
  testing::temp_folder folder;
  testing::write_file(folder.file("one"), "x");
  testing::write_file(folder.file("two"), "xy");
  testing::write_file(folder.file("empty"), "");
  EXPECT_FALSE(engine->lib_fileexists(folder.file("one")));
  EXPECT_TRUE(engine->lib_fileexists(folder.file("two")));
  EXPECT_FALSE(engine->lib_fileexists(folder.file("empty")));
  EXPECT_FALSE(engine->lib_fileexists(folder.file("missing")));
  EXPECT_FALSE(engine->lib_fileexists(folder.path().string()));
}

TEST(Files, NameIsThePartAfterTheLastSeparator) {
  recorded_engine engine;
  EXPECT_EQ(engine->lib_filepathgetname("/data/pictures/"), "");
  EXPECT_EQ(engine->lib_filepathgetname("/data/pictures/f1.jpg"), "f1.jpg");
  EXPECT_EQ(engine->lib_filepathgetname("C:\\music\\song.mid"), "song.mid");
  EXPECT_EQ(engine->lib_filepathgetname("plain.png"), "plain.png");
  EXPECT_EQ(engine->lib_filepathgetname(""), "");
}

TEST(DataFolder, SetPathAddsTheSeparatorAndFolder) {
  recorded_engine engine;
  engine->lib_setpath("/usr/share/brisenfall");
  EXPECT_EQ(engine->path, "/usr/share/brisenfall/");
  engine->lib_setpath("/usr/share/brisenfall/", "");
  EXPECT_EQ(engine->path, "/usr/share/brisenfall/");
  engine->lib_setpath("/usr/share", "brisenfall");
  EXPECT_EQ(engine->path, "/usr/share/brisenfall/");
}

TEST(Log, AppendsLinesWithCrLf) {
  recorded_engine engine;
  testing::temp_folder folder;
  engine->lib_setpath(folder.path().string());
  engine->log("first");
  engine->log("second");
  EXPECT_EQ(testing::read_file(folder.file("data.log")), "first\r\nsecond\r\n");
}

TEST(Log, IntoAMissingFolderDoesNothing) {
  recorded_engine engine;
  testing::temp_folder folder;
  engine->lib_setpath(folder.file("missing"));
  EXPECT_NO_THROW(engine->log("lost"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "missing"));
}

}  // namespace
}  // namespace varnel2d
