// Frame animation and offset paths: definitions from text with their log lines, the play modes,
// the animations by direction, the path-offset behaviour, and both data files, well-formed and
// malformed.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/sprites/animation_table.h"
#include "sprite_engine.h"

namespace varnel2d {
namespace {

using testing::recorded_sprites;

std::string log_of(recorded_sprites& e) {
  std::ifstream in(e.folder.file("data.log"), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(recorded_sprites& e, const std::string& name, const std::string& text) {
  std::ofstream(e.folder.file(name), std::ios::binary) << text;
}

// "0,0,1,0,..." : n frames along row 0; and n textures 1.
std::string frames_along(int n) {
  std::string list;
  for (int k = 0; k < n; ++k) list += (k ? "," : "") + std::to_string(k) + ",0";
  return list;
}
std::string textures(int n) {
  std::string list;
  for (int k = 0; k < n; ++k) list += k ? ",1" : "1";
  return list;
}

double frame_column(recorded_sprites& e, double sprite) {
  e->sprite_animategetframeindex(sprite);
  return e->retx;
}

TEST(AnimationDefinition, CountsThatDoNotFitFailWithTheirLogLines) {
  recorded_sprites e;
  EXPECT_FALSE(e->sprite_animateset(1, 0, 0, 16, 16, 2, "0,0,1", "1,1"));
  EXPECT_FALSE(e->sprite_animateset(1, 0, 0, 16, 16, 0, "", ""));
  EXPECT_FALSE(e->sprite_animateset(1, 0, 0, 16, 16, 65, frames_along(65), textures(65)));
  EXPECT_EQ(log_of(e),
            "Error. (sprite_animateset)\r\nPassed frame total does not match string parameter length.\r\n"
            "Error. (sprite_animateset)\r\nFrame total < 1.\r\n"
            "Error. (sprite_animateset)\r\nFrame total > 64.\r\n");
  EXPECT_TRUE(e->sprite_animateset(1, 0, 0, 16, 16, 64, frames_along(64), textures(64)));
}

TEST(AnimationDefinition, ANumberBeyondTheTableGrowsItAndTheStartShowsFrameOne) {
  recorded_sprites e;
  EXPECT_TRUE(e->sprite_animateset(5, 2, 3, 10, 12, 3, "0,0,1,0,2,0", "1,1,1"));
  e.frame_at(1, 0, 0);
  e->sprite_animateloop(1, 5, 1);
  EXPECT_EQ(e->sprite_animategetanim(1), 5);
  e->sprite_animategetframesize(1);
  EXPECT_EQ(e->retx, 10);
  EXPECT_EQ(e->rety, 12);
  EXPECT_EQ(e->sprite_animategetframewidth(1), 10);
  EXPECT_EQ(e->sprite_animategetframeheight(1), 12);
  // Entries 2..4 exist and are undefined; an animation beyond the table is the caller's error.
  EXPECT_THROW(e->sprite_animateloop(1, 6, 1), std::out_of_range);
  e->sprite_animateoff(1);
  EXPECT_EQ(e->sprite_animategetanim(1), 0);
  e->sprite_animatesetframeindex(1, 4, 2);
  EXPECT_EQ(frame_column(e, 1), 4);
}

TEST(AnimationModes, SpeedThreeChangesFrameFirstAfterFourFramesThenEveryThree) {
  recorded_sprites e;
  ASSERT_TRUE(e->sprite_animateset(1, 0, 0, 16, 16, 3, frames_along(3), textures(3)));
  e.frame_at(1, 0, 0);
  e->sprite_animateloop(1, 1, 3);
  std::string columns;
  for (int frame = 0; frame < 11; ++frame) {
    pass(e);
    columns += std::to_string(static_cast<int>(frame_column(e, 1)));
  }
  EXPECT_EQ(columns, "00011122200");  // mode 1 wraps to frame 1
}

TEST(AnimationModes, OnceStopsOnTheLastFrameAndTheOffModesSwitchOff) {
  recorded_sprites e;
  ASSERT_TRUE(e->sprite_animateset(1, 0, 0, 16, 16, 2, frames_along(2), textures(2)));
  for (double sprite = 1; sprite <= 3; ++sprite) e.frame_at(sprite, 0, 0);
  e->sprite_animateonce(1, 1, 0);
  e->sprite_animatecollide(2, 1, 0);
  e->sprite_animateonceturnoff(3, 1, 0);
  EXPECT_EQ(e->sprite_collideoverarea(2, 0, 0, 5, 5), false);  // collisions end at once
  EXPECT_EQ(pass(e), 3u);  // frame 2
  EXPECT_EQ(pass(e), 1u);  // past the last frame: 2 and 3 are off, not drawn
  EXPECT_EQ(*e->sprite_getstatus(2), 0);
  EXPECT_EQ(*e->sprite_getstatus(3), 0);
  EXPECT_EQ(frame_column(e, 1), 1);
  EXPECT_EQ(e->sprite_animategetanim(1), 0);
  pass(e);
  EXPECT_EQ(frame_column(e, 1), 1);
}

TEST(AnimationModes, HitPlaysOnceThenLoopsTheFollowOnWithItsGrid) {
  recorded_sprites e;
  ASSERT_TRUE(e->sprite_animateset(1, 0, 0, 16, 16, 2, frames_along(2), textures(2)));
  ASSERT_TRUE(e->sprite_animateset(2, 0, 17, 8, 8, 2, "5,0,6,0", "1,1"));
  e.frame_at(1, 0, 0);
  e->sprite_animatehit(1, 1, 0, 2, 0);
  pass(e);
  EXPECT_EQ(frame_column(e, 1), 1);
  pass(e);
  EXPECT_EQ(e->sprite_animategetanim(1), 2);
  EXPECT_EQ(frame_column(e, 1), 5);
  EXPECT_EQ(e->sprite_animategetframewidth(1), 8);
  pass(e);
  pass(e);
  EXPECT_EQ(frame_column(e, 1), 5);  // looping
}

// Direction animations: animation d + 1 has one frame in column d + 10.
void direction_animations(recorded_sprites& e) {
  std::string list;
  for (int d = 0; d <= 8; ++d) {
    ASSERT_TRUE(e->sprite_animateset(d + 1, 0, 0, 16, 16, 2, std::to_string(d + 10) + ",0," + std::to_string(d + 20) + ",0", "1,1"));
    list += (d ? "," : "") + std::to_string(d + 1) + ",5";
  }
  e.frame_at(1, 100, 100);
  ASSERT_TRUE(e->sprite_animatedirection(1, 8, list));
}

TEST(AnimationModes, ByDirectionAChangeShowsFrameOneOfTheNewAnimationAtOnce) {
  recorded_sprites e;
  direction_animations(e);
  EXPECT_EQ(frame_column(e, 1), 18);
  e->sprite_enginemove(1, 1, 0, 0, 0, 640, 480);
  pass(e);
  EXPECT_EQ(e->sprite_animategetanim(1), 3);
  EXPECT_EQ(frame_column(e, 1), 12);
  for (int frame = 0; frame < 6; ++frame) pass(e);
  EXPECT_EQ(frame_column(e, 1), 22);  // speed 5: the second frame after six units
  EXPECT_FALSE(e->sprite_animatedirection(1, 0, "1,5,2,5"));
}

TEST(AnimationModes, HitThenDirectionReturnsToTheDirectionAnimation) {
  recorded_sprites e;
  direction_animations(e);
  e->sprite_enginemove(1, 0, 1, 0, 0, 640, 480);  // down: direction 4
  pass(e);
  EXPECT_EQ(e->sprite_animategetanim(1), 5);
  e->sprite_animatehitdir(1, 1, 0);
  EXPECT_EQ(frame_column(e, 1), 10);
  pass(e);  // frame 2 of the hit
  EXPECT_EQ(frame_column(e, 1), 20);
  pass(e);  // past its end: back to mode 5, the frame stays
  EXPECT_EQ(frame_column(e, 1), 20);
  pass(e);  // the direction animation is chosen afresh
  EXPECT_EQ(e->sprite_animategetanim(1), 5);
  EXPECT_EQ(frame_column(e, 1), 14);
}

TEST(OffsetPath, TextDefinitionsCheckTheirCountsWithLogLines) {
  recorded_sprites e;
  EXPECT_FALSE(e->sprite_offsetset(1, 2, "1,2,3", ""));
  EXPECT_FALSE(e->sprite_offsetset(1, 0, "", ""));
  std::string many;
  for (int k = 0; k < 801; ++k) many += k ? ",1,1" : "1,1";
  EXPECT_FALSE(e->sprite_offsetset(1, 801, many, ""));
  EXPECT_EQ(log_of(e),
            "Error. (sprite_offsetset)\r\nPassed length total does not match string parameter length.\r\n"
            "Error. (sprite_offsetset)\r\nLength total < 1.\r\n"
            "Error. (sprite_offsetset)\r\nLength total > 800.\r\n");
}

TEST(OffsetPath, StepsOncePerPointWhateverTheFrameTimeAndStyleZeroEndsOff) {
  recorded_sprites e;
  ASSERT_TRUE(e->sprite_offsetset(3, 3, "1,0,2,0,0,4", ""));
  e.frame_at(1, 100, 100);
  e->sprite_engineoffset(1, 3, 10, 0, 0);
  e->timedelta = 5;
  pass(e);  // timer 10 - 5 = 5: no step yet
  EXPECT_EQ(e->sprite_getx(1), 100);
  pass(e);  // point 1
  EXPECT_EQ(e->sprite_getx(1), 101);
  pass(e);
  pass(e);  // point 2: a step of 2, not scaled by the frame time
  EXPECT_EQ(e->sprite_getx(1), 103);
  pass(e);
  EXPECT_EQ(pass(e), 0u);  // the last point: off
  EXPECT_EQ(e->sprite_gety(1), 104);
  EXPECT_EQ(*e->sprite_getstatus(1), 0);
}

TEST(OffsetPath, StyleTwoRepeatsStyleOneStopsAndTypeOneFollowsASprite) {
  recorded_sprites e;
  ASSERT_TRUE(e->sprite_offsetset(1, 2, "1,0,1,0", ""));
  e.frame_at(1, 0, 0);
  e->sprite_engineoffset(1, 1, 0, 0, 2);
  for (int frame = 0; frame < 9; ++frame) pass(e);
  EXPECT_EQ(e->sprite_getx(1), 9);
  EXPECT_EQ(e->sprite_enginegettype(1), 5);
  e.frame_at(2, 0, 0);
  e->sprite_engineoffset(2, 1, 0, 0, 1);
  for (int frame = 0; frame < 5; ++frame) pass(e);
  EXPECT_EQ(e->sprite_getx(2), 2);
  EXPECT_EQ(*e->sprite_getstatus(2), 1);
  ASSERT_TRUE(e->sprite_offsetset(2, 2, "5,5,-5,5", ""));
  e.frame_at(3, 0, 0);
  e->sprite_engineoffset(3, 2, 0, 1, 3, 1, 3);  // beside sprite 1, for 3 units
  const double beside = e->sprite_getx(1) + 5;  // sprite 3 comes first in the list
  pass(e);
  EXPECT_EQ(e->sprite_getx(3), beside);
  EXPECT_EQ(e->sprite_gety(3), 5);
  EXPECT_EQ(pass(e), 3u);
  EXPECT_EQ(pass(e), 2u);  // offsetlength 3 - 3 < 1: off
  EXPECT_EQ(*e->sprite_getstatus(3), 0);
}

TEST(DataFiles, AWellFormedAnimationFileFillsTheTableWithTexturesMoved) {
  recorded_sprites e;
  write_file(e, "anims.txt", "2\r\n0,0,16,16,2\r\n1,0,2,0\r\n0,0\r\n0,17,8,8,1,3,1,0\r\n");
  ASSERT_TRUE(e->sprite_animatefileinit("anims.txt", 1));
  e.frame_at(1, 0, 0);
  e->sprite_animateloop(1, 2, 0);
  EXPECT_EQ(frame_column(e, 1), 3);
  EXPECT_EQ(e->rety, 1);
  EXPECT_EQ(pass(e), 1u);  // texture 0 + 1
  e->sprite_animateloop(1, 1, 0);
  EXPECT_EQ(frame_column(e, 1), 1);
}

TEST(DataFiles, MalformedAnimationFilesFailWithALogLineAndKeepWhatWasRead) {
  recorded_sprites e;
  const std::pair<std::string, std::string> cases[] = {
      {"1\n0,0,16,16,65,0,0,1\n", "Frame total > 64."},
      {"1\n0,0,16,16,0,0,0,1\n", "Frame total < 1."},
      {"-1\n", "Animation total < 0."},
      {"1\n0,0,16,x16,1,0,0,1\n", "Not a number: \"x16\"."},
      {"1\n0,0,16,16,2,0,0,1,0,1\n", "Unexpected end of file."},
      {"99999999\n1,2,3\n", "Animation total > 1048576."},
      {"1000\n1,2,3,4,5,6,7,8\n", "Unexpected end of file."},  // the table grows only by entries read
      {"2.5\n", "Animation total is not a whole number."},
  };
  for (const auto& [text, detail] : cases) {
    write_file(e, "bad.txt", text);
    std::filesystem::remove(e.folder.file("data.log"));
    EXPECT_FALSE(e->sprite_animatefileinit("bad.txt")) << text;
    EXPECT_EQ(log_of(e), "Error. (sprite_animatefileinit)\r\n" + detail + "\r\n") << text;
  }
  write_file(e, "half.txt", "2\n0,0,16,16,1,4,0,1\n0,0,16,16,3,0,0,1,0\n");
  EXPECT_FALSE(e->sprite_animatefileinit("half.txt"));
  e.frame_at(1, 0, 0);
  e->sprite_animateloop(1, 1, 0);  // the first entry was read and stays
  EXPECT_EQ(frame_column(e, 1), 4);
  EXPECT_FALSE(e->sprite_animatefileinit("missing.txt"));
}

TEST(DataFiles, OffsetFilesAndPathFilesReadWellAndFailSafely) {
  recorded_sprites e;
  write_file(e, "paths.txt", "2\n1\n3,4\n2\n1,1\n2,2\n");
  ASSERT_TRUE(e->sprite_offsetfileinit("paths.txt"));
  e.frame_at(1, 0, 0);
  e->sprite_engineoffset(1, 2, 0, 0, 2);
  pass(e);
  pass(e);
  EXPECT_EQ(e->sprite_getx(1), 3);
  write_file(e, "one.txt", "2,1,0,0,1");
  ASSERT_TRUE(e->sprite_offsetset(4, 0, "", "one.txt"));
  write_file(e, "big.txt", "1\n801\n0,0\n");
  EXPECT_FALSE(e->sprite_offsetfileinit("big.txt"));
  write_file(e, "short.txt", "1\n3\n1,1,2\n");
  EXPECT_FALSE(e->sprite_offsetfileinit("short.txt"));
  write_file(e, "neg.txt", "-2\n");
  EXPECT_FALSE(e->sprite_offsetset(1, 0, "", "neg.txt"));
  EXPECT_EQ(log_of(e),
            "Error. (sprite_offsetfileinit)\r\nLength total > 800.\r\n"
            "Error. (sprite_offsetfileinit)\r\nUnexpected end of file.\r\n"
            "Error. (sprite_offsetset)\r\nLength total < 1.\r\n");
}

TEST(DataFiles, ReadersTakeTextFromMemory) {
  animation_table table;
  EXPECT_EQ(read_offset_data("1, 2 ,\t1,2,3,4", table), std::nullopt);
  EXPECT_EQ(table.path(1).pathlength, 2);
  EXPECT_EQ(table.path(1).yoffsets[2], 4.0f);
  EXPECT_EQ(read_offset_data("1\n1\n1e999,0", table), std::optional<std::string>("Not a number: \"1e999\"."));
  EXPECT_EQ(read_animation_data("", table, 0), std::optional<std::string>("Unexpected end of file."));
}

// Both data files cut at every byte keep exactly the entries that end before the cut ("|" marks
// an entry's end; each entry ends in a one-digit value, so no cut leaves a shorter number behind).
TEST(DataFiles, AFileCutShortKeepsEveryEntryCompletedBeforeTheCut) {
  using reader = std::optional<std::string> (*)(std::string_view, animation_table&);
  using entries = std::vector<std::string> (*)(const animation_table&);
  struct data_file {
    std::string marked;
    reader read;
    entries read_back;  // each entry in a few words
  };
  const data_file files[] = {
      {"2\n0,0,16,16,1,4,0,1|\r\n1,17,8,8,2,0,1,1,1,2,3|\n",
       [](std::string_view text, animation_table& table) { return read_animation_data(text, table, 0); },
       [](const animation_table& table) {
         std::vector<std::string> out;
         for (int32_t i = 1; i <= table.animation_count(); ++i) {
           const animation_entry& a = table.animation(i);
           std::string words = a.defined ? "defined" : "undefined";
           for (int32_t v : {a.srcx, a.srcy, a.framewidth, a.frameheight, a.frametotal})
             words += " " + std::to_string(v);
           for (int32_t k = 1; k <= a.frametotal; ++k)
             words += " " + std::to_string(a.framex[k]) + "/" + std::to_string(a.framey[k]) + "/" +
                      std::to_string(a.frametexture[k]);
           out.push_back(words);
         }
         return out;
       }},
      {"2\n1\n3,4|\n2\n1,1\n2,2|\n", read_offset_data,
       [](const animation_table& table) {
         std::vector<std::string> out;
         for (int32_t i = 1; i <= table.path_count(); ++i) {
           std::string words = std::to_string(table.path(i).pathlength);
           for (int32_t k = 1; k <= table.path(i).pathlength; ++k)
             words += " " + std::to_string(table.path(i).xoffsets[k]) + "," + std::to_string(table.path(i).yoffsets[k]);
           out.push_back(words);
         }
         return out;
       }},
  };
  for (const data_file& file : files) {
    std::string text;
    std::vector<size_t> ends;
    for (char c : file.marked) c == '|' ? ends.push_back(text.size()) : text.push_back(c);
    animation_table whole;
    ASSERT_EQ(file.read(text, whole), std::nullopt);
    const std::vector<std::string> all = file.read_back(whole);
    ASSERT_EQ(all.size(), 2u);
    for (size_t cut = 0; cut <= text.size(); ++cut) {
      const auto complete =
          static_cast<size_t>(std::count_if(ends.begin(), ends.end(), [&](size_t end) { return end <= cut; }));
      animation_table table;
      EXPECT_EQ(file.read(text.substr(0, cut), table).has_value(), complete < 2) << file.marked << " cut at " << cut;
      EXPECT_EQ(file.read_back(table), std::vector<std::string>(all.begin(), all.begin() + static_cast<long>(complete)))
          << file.marked << " cut at " << cut;
    }
  }
}

}  // namespace
}  // namespace varnel2d
