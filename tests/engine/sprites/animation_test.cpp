// Frame animation and offset paths: definitions from text with their log lines, the play modes,
// the animations by direction, and both data files, well-formed, malformed and cut short.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "engine/sprites/animation_table.h"
#include "sprite_engine.h"

namespace varnel2d {
namespace {

using sprites = testing::recorded_sprites;

std::string log_of(sprites& e) { return testing::read_file(e.folder.file("data.log")); }
void write_file(sprites& e, const std::string& name, const std::string& text) {
  testing::write_file(e.folder.file(name), text);
}

// Animation `anim`: n frames along row 0 of texture 1.
bool along_row(sprites& e, int anim, int n) {
  std::string frames, textures;
  for (int k = 0; k < n; ++k) frames += (k ? "," : "") + std::to_string(k) + ",0", textures += k ? ",1" : "1";
  return e->sprite_animateset(anim, 0, 0, 16, 16, n, frames, textures);
}

double frame_column(sprites& e, double sprite) {
  e->sprite_animategetframeindex(sprite);
  return e->retx;
}

TEST(AnimationDefinition, CountsThatDoNotFitFailWithTheirLogLinesAndANumberBeyondTheTableGrowsIt) {
  sprites e;
  EXPECT_FALSE(e->sprite_animateset(1, 0, 0, 16, 16, 2, "0,0,1", "1,1"));
  EXPECT_FALSE(e->sprite_animateset(1, 0, 0, 16, 16, 0, "", ""));
  EXPECT_FALSE(along_row(e, 1, 65));
  EXPECT_EQ(log_of(e),
            "Error. (sprite_animateset)\r\nPassed frame total does not match string parameter length.\r\n"
            "Error. (sprite_animateset)\r\nFrame total < 1.\r\n"
            "Error. (sprite_animateset)\r\nFrame total > 64.\r\n");
  EXPECT_TRUE(along_row(e, 1, 64));
  EXPECT_TRUE(e->sprite_animateset(5, 2, 3, 10, 12, 3, "0,0,1,0,2,0", "1,1,1"));
  e.frame_at(1, 0, 0);
  e->sprite_animateloop(1, 5, 1);  // the start shows frame one
  EXPECT_EQ(e->sprite_animategetanim(1), 5);
  e->sprite_animategetframesize(1);
  EXPECT_EQ(std::tuple(e->retx, e->rety, e->sprite_animategetframewidth(1), e->sprite_animategetframeheight(1)),
            std::tuple(10.0f, 12.0f, 10.0, 12.0));
  // Entries 2..4 exist and are undefined; an animation beyond the table is the caller's error.
  EXPECT_THROW(e->sprite_animateloop(1, 6, 1), std::out_of_range);
  e->sprite_animateoff(1);
  EXPECT_EQ(e->sprite_animategetanim(1), 0);
  e->sprite_animatesetframeindex(1, 4, 2);
  EXPECT_EQ(frame_column(e, 1), 4);
}

// Animation 1: frames in columns 0, 1, 2 (or 0, 1); animation 2: columns 5, 6 of 8 x 8 cells.
// Direction animations: animation d + 1 has two frames, in columns d + 10 and d + 20.
void two_animations(sprites& e, int frames) {
  ASSERT_TRUE(along_row(e, 1, frames));
  ASSERT_TRUE(e->sprite_animateset(2, 0, 17, 8, 8, 2, "5,0,6,0", "1,1"));
  e.frame_at(1, 0, 0);
}
void direction_animations(sprites& e) {
  std::string list;
  for (int d = 0; d <= 8; ++d) {
    const std::string frames = std::to_string(d + 10) + ",0," + std::to_string(d + 20) + ",0";
    ASSERT_TRUE(e->sprite_animateset(d + 1, 0, 0, 16, 16, 2, frames, "1,1"));
    list += (d ? "," : "") + std::to_string(d + 1) + ",5";
  }
  e.frame_at(1, 100, 100);
  ASSERT_TRUE(e->sprite_animatedirection(1, 8, list));
}

// Each mode: the frame column right after the start, then after each pass (-1: not drawn), and at
// the end the sprite's status, animation and frame width.
TEST(AnimationModes, EachModeStepsItsFramesAndEndsItsOwnWay) {
  struct mode_case {
    const char* name;
    void (*start)(sprites&);
    std::vector<int> columns;
    int status, anim, width = 16;
  };
  const mode_case cases[] = {
      {"loop at speed 3: first change after four units, then every three; wraps to frame 1",
       [](sprites& e) { two_animations(e, 3); e->sprite_animateloop(1, 1, 3); },
       {0, 0, 0, 0, 1, 1, 1, 2, 2, 2, 0, 0}, 1, 1},
      {"once: stops on the last frame and ends the animation",
       [](sprites& e) { two_animations(e, 2); e->sprite_animateonce(1, 1, 0); }, {0, 1, 1, 1}, 1, 0},
      {"collide: past the last frame off",
       [](sprites& e) {
         two_animations(e, 2);
         e->sprite_animatecollide(1, 1, 0);
         EXPECT_FALSE(e->sprite_collideoverarea(1, 0, 0, 5, 5));  // collisions end at once
       },
       {0, 1, -1}, 0, 1},
      {"once then off: past the last frame off",
       [](sprites& e) { two_animations(e, 2); e->sprite_animateonceturnoff(1, 1, 0); }, {0, 1, -1}, 0, 1},
      {"hit: plays once, then loops the follow-on with its own cells",
       [](sprites& e) { two_animations(e, 2); e->sprite_animatehit(1, 1, 0, 2, 0); }, {0, 1, 5, 6, 5}, 1, 2, 8},
      {"by direction: a change shows frame one of the new animation at once",
       [](sprites& e) {
         direction_animations(e);
         e->sprite_enginemove(1, 1, 0, 0, 0, 640, 480);
       },
       {18, 12, 12, 12, 12, 12, 22}, 1, 3},  // speed 5: the counter starts at the change, as at a start
      {"hit then direction: back to the direction animation, chosen afresh the unit after",
       [](sprites& e) {
         direction_animations(e);
         e->sprite_enginemove(1, 0, 1, 0, 0, 640, 480);  // down: direction 4
         testing::pass(e);
         e->sprite_animatehitdir(1, 1, 0);
       },
       {10, 20, 20, 14}, 1, 5},
  };
  for (const mode_case& c : cases) {
    SCOPED_TRACE(c.name);
    sprites e;
    c.start(e);
    std::vector<int> columns{static_cast<int>(frame_column(e, 1))};
    while (columns.size() < c.columns.size())
      columns.push_back(testing::pass(e) == 1 ? static_cast<int>(frame_column(e, 1)) : -1);
    EXPECT_EQ(columns, c.columns);
    EXPECT_EQ(*e->sprite_getstatus(1), c.status);
    EXPECT_EQ(e->sprite_animategetanim(1), c.anim);
    EXPECT_EQ(e->sprite_animategetframewidth(1), c.width);
  }
  sprites e;
  direction_animations(e);
  EXPECT_FALSE(e->sprite_animatedirection(1, 0, "1,5,2,5"));
}

TEST(DataFiles, AnimationFilesFillTheTableWithTexturesMovedOrFailWithALogLineKeepingWhatWasRead) {
  sprites e;
  write_file(e, "anims.txt", "2\r\n0,0,16,16,2\r\n1,0,2,5\r\n0,0\r\n0,17,8,8,1,3,1,0\r\n");
  ASSERT_TRUE(e->sprite_animatefileinit("anims.txt", 1));
  e.frame_at(1, 0, 0);
  e->sprite_animateloop(1, 2, 0);
  EXPECT_EQ(frame_column(e, 1), 3);
  EXPECT_EQ(e->rety, 1);
  EXPECT_EQ(pass(e), 1u);  // texture 0 + 1
  e->sprite_animateloop(1, 1, 0);
  EXPECT_EQ(frame_column(e, 1), 1);
  pass(e);  // each frame keeps its own column and row
  EXPECT_EQ(frame_column(e, 1), 2);
  EXPECT_EQ(e->rety, 5);
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
  e->sprite_animateloop(1, 1, 0);  // the first entry was read and stays
  EXPECT_EQ(frame_column(e, 1), 4);
  EXPECT_FALSE(e->sprite_animatefileinit("missing.txt"));
}

TEST(DataFiles, OffsetPathsFromTextAndFilesCheckTheirCountsWithLogLines) {
  sprites e;
  EXPECT_FALSE(e->sprite_offsetset(1, 2, "1,2,3", ""));
  EXPECT_FALSE(e->sprite_offsetset(1, 0, "", ""));
  std::string many;
  for (int k = 0; k < 801; ++k) many += k ? ",1,1" : "1,1";
  EXPECT_FALSE(e->sprite_offsetset(1, 801, many, ""));
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
            "Error. (sprite_offsetset)\r\nPassed length total does not match string parameter length.\r\n"
            "Error. (sprite_offsetset)\r\nLength total < 1.\r\n"
            "Error. (sprite_offsetset)\r\nLength total > 800.\r\n"
            "Error. (sprite_offsetfileinit)\r\nLength total > 800.\r\n"
            "Error. (sprite_offsetfileinit)\r\nUnexpected end of file.\r\n"
            "Error. (sprite_offsetset)\r\nLength total < 1.\r\n");
}

// A data file cut at every byte keeps exactly the entries that end before the cut ("|" marks an
// entry's end; each entry ends in a one-digit value, so no cut leaves a shorter number behind).
template <typename Read, typename Entries>
void expect_cuts_keep_completed_entries(const std::string& marked, Read read, Entries entries) {
  std::string text;
  std::vector<size_t> ends;
  for (char c : marked) c == '|' ? ends.push_back(text.size()) : text.push_back(c);
  animation_table whole;
  ASSERT_EQ(read(text, whole), std::nullopt);
  const auto all = entries(whole);
  ASSERT_EQ(all.size(), 2u);
  for (size_t cut = 0; cut <= text.size(); ++cut) {
    const auto complete = std::count_if(ends.begin(), ends.end(), [&](size_t end) { return end <= cut; });
    animation_table table;
    EXPECT_EQ(read(text.substr(0, cut), table).has_value(), complete < 2) << marked << " cut at " << cut;
    EXPECT_EQ(entries(table), decltype(all)(all.begin(), all.begin() + complete)) << marked << " cut at " << cut;
  }
}

// The readers also take text from memory, with spaces and tabs around the numbers.
TEST(DataFiles, ReadersTakeTextFromMemoryAndAFileCutShortKeepsEveryEntryCompletedBeforeTheCut) {
  animation_table read;
  EXPECT_EQ(read_offset_data("1, 2 ,\t1,2,3,4", read), std::nullopt);
  EXPECT_EQ(std::pair(read.path(1).pathlength, read.path(1).yoffsets[2]), std::pair(2, 4.0f));
  EXPECT_EQ(read_offset_data("1\n1\n1e999,0", read), std::optional<std::string>("Not a number: \"1e999\"."));
  EXPECT_EQ(read_animation_data("", read, 0), std::optional<std::string>("Unexpected end of file."));
  expect_cuts_keep_completed_entries(
      "2\n0,0,16,16,1,4,0,1|\r\n1,17,8,8,2,0,1,1,1,2,3|\n",
      [](std::string_view text, animation_table& table) { return read_animation_data(text, table, 0); },
      [](const animation_table& table) {
        std::vector<std::tuple<bool, int32_t, int32_t, int32_t, int32_t, int32_t, std::array<int32_t, most_frames + 1>,
                               std::array<int32_t, most_frames + 1>, std::array<int32_t, most_frames + 1>>> out;
        for (int32_t i = 1; i <= table.animation_count(); ++i) {
          const animation_entry& a = table.animation(i);
          out.emplace_back(a.defined, a.srcx, a.srcy, a.framewidth, a.frameheight, a.frametotal, a.framex, a.framey,
                           a.frametexture);
        }
        return out;
      });
  expect_cuts_keep_completed_entries("2\n1\n3,4|\n2\n1,1\n2,2|\n", read_offset_data, [](const animation_table& table) {
    std::vector<std::tuple<int32_t, std::vector<float>, std::vector<float>>> out;
    for (int32_t i = 1; i <= table.path_count(); ++i)
      out.emplace_back(table.path(i).pathlength, table.path(i).xoffsets, table.path(i).yoffsets);
    return out;
  });
}

}  // namespace
}  // namespace varnel2d
