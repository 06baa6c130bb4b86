// Angle and direction tables, counters, random numbers, colours, files, the data folder, the log and
// frame timers.
#include <gtest/gtest.h>
#include <varnel2d/random.h>

#include <filesystem>
#include <set>

#include "engine/angles.h"
#include "support/engine_fixture.h"

namespace varnel2d::testing {
namespace {

// The tables turn clockwise degrees from up into radians and sectors.
TEST(Helpers, AngleTablesAnglesDirectionsCountersColoursAndDistance) {
  const auto table = make_angle_table(engine_pi);
  EXPECT_NEAR(table[90], 4.712389f, 1e-6f);  // 270 degrees counter-clockwise
  EXPECT_NEAR(table[1], 359 * engine_pi / 180, 1e-6);
  EXPECT_EQ(table[450], table[90]);
  for (const size_t zero : {0u, 360u, 720u}) EXPECT_EQ(table[zero], 0.0f) << zero;
  const auto directions = make_direction_table();  // eight sectors centred on up
  const std::pair<size_t, int> sectors[] = {{21, 0}, {22, 1}, {66, 1}, {67, 2}, {336, 7}, {337, 0}, {359, 0}, {360, 0}};
  for (const auto& [angle, sector] : sectors) EXPECT_EQ(directions[angle], sector) << angle;
  EXPECT_EQ(angle_index(89.9), 89);  // rounds down and wraps outside the table
  EXPECT_EQ(angle_index(720), 720);
  EXPECT_EQ(angle_index(721), 1);
  EXPECT_EQ(angle_index(-90), 270);
  recorded_engine e;
  const std::array<float, 5> cases[] = {{0, 0, 10, 0, 90}, {0, 10, 0, 0, 360}, {0, 0, 0, 10, 180}, {10, 0, 0, 0, 270},
                                        {5, 5, 5, 5, 360}, {0, 0, 10, -5, 63}};  // up and to the right, rounded down
  for (const auto& c : cases) EXPECT_EQ(e->lib_getangle(c[0], c[1], c[2], c[3]), c[4]) << c[2] << "," << c[3];
  const auto direction = [&](double angle) {
    e->lib_getadirection(angle, 5);
    return std::array<float, 2>{e->retx, e->rety};
  };
  EXPECT_NEAR(direction(0)[0], 0, 1e-5);
  EXPECT_NEAR(direction(0)[1], -5, 1e-5);
  EXPECT_NEAR(direction(90)[0], 5, 1e-5);
  EXPECT_NEAR(direction(90)[1], 0, 1e-5);
  EXPECT_EQ(direction(400), direction(359));
  EXPECT_LT(direction(359)[0], 0);  // just left of straight up
  struct step {
    bool wrap;
    double var, add, expected;
  };
  for (const step& s : {step{true, 10, 1, 0}, step{true, 0, -3, 10}, step{false, 10, 1, 10}, step{false, 2, -5, 0},
                        step{false, 4, 1.5, 5.5}}) {
    double var = s.var;
    s.wrap ? e->lib_varaddwrap(var, s.add, 0, 10) : e->lib_varaddlimit(var, s.add, 0, 10);
    EXPECT_EQ(var, s.expected) << s.wrap << " " << s.var << " + " << s.add;
  }
  EXPECT_EQ(
      (std::vector{e->lib_getargbcolor(255, 255, 0, 255), e->lib_getargbcolor(255, 255, 255, 255),
                   e->lib_getargbcolor(128, 1, 2, 3), e->lib_getargbcolor(0, 0, 0, 0.5),
                   e->lib_getargbcolor(0, 0, 0, 1.5)}),
      (std::vector<uint32_t>{0xFFFF00FFu, 0xFFFFFFFFu, 0x80010203u, 0x00000000u, 0x00000002u}));  // halves to even
  EXPECT_EQ(e->lib_getdistance(0, 0, 3, 4), 5);
}

TEST(RandomNumbers, GetNumberStaysInsideBothBoundsAndChanceHitsItsShare) {
  recorded_engine e;
  random_seed(7);
  std::set<double> seen, distinct;
  for (int i = 0; i < 3000; ++i) seen.insert(e->lib_getnumber(1, 6));
  EXPECT_EQ(seen, (std::set<double>{1, 2, 3, 4, 5, 6}));
  for (int i = 0; i < 1000; ++i) {
    EXPECT_EQ(e->lib_getnumber(5, 5), 5);
    const double n = e->lib_getnumber(-3, 3);
    EXPECT_TRUE(n >= -3 && n <= 3) << n;
  }
  for (int i = 0; i < 200; ++i) distinct.insert(e->lib_getnumber(1, 1000000));
  EXPECT_GT(distinct.size(), 190u) << "draws within one millisecond still differ";
  // Chance reseeds from its own draws; from any seed, long runs still come up at their rates.
  for (const uint64_t seed : {1u, 7u, 99u, 12345u}) {
    random_seed(seed);
    const std::array<double, 4> percents = {100, 0, 50, 2};
    std::array<int, 4> hits{};  // asked in turn, 4000 times each
    for (int i = 0; i < 4000; ++i)
      for (size_t k = 0; k < percents.size(); ++k) hits[k] += e->lib_chance(percents[k]) ? 1 : 0;
    EXPECT_TRUE(hits[0] == 4000 && hits[1] < 5 && hits[2] > 1800 && hits[2] < 2200 && hits[3] > 40 && hits[3] < 130)
        << "seed " << seed << ": " << hits[0] << ", " << hits[1] << ", " << hits[2] << ", " << hits[3];
  }
}

TEST(Files, ExistsNeedsTwoBytesTheNameFollowsTheLastSeparatorThePathAndTheLog) {
  started_recorded e;
  write_file(e.folder.file("one"), "x");
  write_file(e.folder.file("two"), "xy");
  write_file(e.folder.file("empty"), "");
  std::vector<bool> exist;
  for (const std::string& name : {"one", "two", "empty", "missing", ""})
    exist.push_back(e->lib_fileexists(e.folder.file(name)));
  EXPECT_EQ(exist, (std::vector<bool>{false, true, false, false, false}));  // "" names the folder itself
  const std::pair<const char*, const char*> names[] = {{"/data/pictures/", ""},
                                                       {"/data/pictures/f1.jpg", "f1.jpg"},
                                                       {"C:\\music\\song.mid", "song.mid"},
                                                       {"plain.png", "plain.png"},
                                                       {"", ""}};
  for (const auto& [path, name] : names) EXPECT_EQ(e->lib_filepathgetname(path), name) << path;
  for (const auto& [folder, sub] :
       {std::pair{"/usr/share/brisenfall", ""}, {"/usr/share/brisenfall/", ""}, {"/usr/share", "brisenfall"}}) {
    e->lib_setpath(folder, sub);  // adds the separator and the folder
    EXPECT_EQ(e->path, "/usr/share/brisenfall/") << folder << " " << sub;
  }
  e->lib_setpath(e.folder.path().string());  // the log appends lines with CR LF
  e->log("first");
  e->log("second");
  EXPECT_EQ(read_file(e.folder.file("data.log")), "first\r\nsecond\r\n");
  e->lib_setpath(e.folder.file("missing"));
  EXPECT_NO_THROW(e->log("lost"));
  EXPECT_FALSE(std::filesystem::exists(e.folder.path() / "missing"));
}

// Timers count milliseconds in delta mode and frames in frame mode, reporting once the period is
// exceeded; a stopped timer is never due and restarts from zero. The table holds 1 to 100 timers and
// every index is clamped into it.
TEST(Timers, CountTimeOrFramesStopRestartAndClampTheirIndexes) {
  started_recorded e;
  e->timer_init(1);
  e->timer_set(1, 100);
  int frames = 0;
  for (; !e->timer_check(1) && frames < 100; ++frames) e.frame(20);
  EXPECT_TRUE(frames >= 3 && frames <= 6) << frames;
  e->scene_setframerate(1000, false);
  e.frame();
  const auto due_after = [&](int count, int timer) {
    for (int frame = 0; frame < count; ++frame) e.frame();
    return e->timer_check(timer);
  };
  e->timer_init(2);
  e->timer_set(1, 30);
  e->timer_set(2, 2);
  e->timer_off(2);
  std::vector<int> due;
  for (int frame = 1; frame <= 70; ++frame)
    if (due_after(1, 1)) due.push_back(frame);
  EXPECT_EQ(due, (std::vector<int>{31, 62}));
  EXPECT_FALSE(e->timer_check(2)) << "stopped";
  e->timer_on(2);
  EXPECT_FALSE(due_after(2, 2));
  EXPECT_TRUE(due_after(1, 2));
  e->timer_init(150);
  e->timer_set(150, 2);  // timer 100
  e->timer_set(99, 1000);
  EXPECT_TRUE(due_after(3, 100));
  EXPECT_FALSE(e->timer_check(99));
  e->timer_init(-3);
  e->timer_set(5, 0);
  EXPECT_FALSE(due_after(3, 1));  // no timers in use: nothing advances
  e->timer_init(2);
  e->timer_set(7, 1);     // timer 2
  e->timer_set(-4, 100);  // timer 1
  EXPECT_TRUE(due_after(2, 2));
  EXPECT_FALSE(e->timer_check(1));
}

}  // namespace
}  // namespace varnel2d::testing
