// The high-score table: ranking, names, the file written and read back, and read errors logged.
#include "engine/extras/high_scores.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/engine_fixture.h"

namespace varnel2d::testing {
namespace {

// Places 1..10 hold 1000, 900, ... 100 with names "P1" .. "P10".
struct scores_engine : started_recorded {
  scores_engine() {
    for (int place = 1; place <= 10; ++place)
      engine->lib_highscoreset(place, 1100 - 100 * place, "P" + std::to_string(place));
  }
  std::tuple<std::string, double> at(int place) {
    return {engine->lib_highscoregetname(place), engine->lib_highscoregetscore(place)};
  }
};

TEST(HighScores, RankingCappedScoresNamesAndPlacesOutsideTheTable) {
  scores_engine e;
  EXPECT_EQ(e->lib_highscorecheck(100), 0);  // an equal score does not enter
  EXPECT_EQ(e.at(10), std::tuple("P10", 100.0));
  EXPECT_EQ(e->lib_highscorecheck(950), 2);
  EXPECT_EQ(e.at(1), std::tuple("P1", 1000.0));
  EXPECT_EQ(e.at(2), std::tuple("Guest", 950.0));
  EXPECT_EQ(e.at(3), std::tuple("P2", 900.0));
  EXPECT_EQ(e.at(10), std::tuple("P9", 200.0));  // the old 100 dropped out
  EXPECT_EQ(e->lib_highscorecheck(20000000), 1);
  EXPECT_EQ(e->lib_highscoregetscore(1), 9999999);
  e->lib_highscoreset(4, 20000000, "x");
  EXPECT_EQ(e->lib_highscoregetscore(4), 9999999);
  e->lib_highscoreset(5, 1, "ABCDEFGHIJKLMNOPQRSTUVWXY");
  EXPECT_EQ(e->lib_highscoregetname(5), "ABCDEFGHIJKLMNOPQRST");
  e->lib_highscoreset(6, 1, "Ann \"Ace\"");
  EXPECT_EQ(e->lib_highscoregetname(6), "Ann 'Ace'");
  std::string accents;
  for (int i = 0; i < 21; ++i) accents += "\xC3\xA9";  // "é" is two bytes and one character
  EXPECT_EQ(cut_name(accents), accents.substr(0, 40));
  e->lib_highscoreset(11, 5, "x");
  e->lib_highscoreset(-1, 5, "x");
  EXPECT_EQ(e.at(11), std::tuple("", 0.0));
  EXPECT_EQ(e.at(-1), std::tuple("", 0.0));
  e->lib_highscoreset(0, 5, "spare");
  EXPECT_EQ(e->lib_highscoregetname(0), "spare");
}

TEST(HighScores, WrittenAsQuotedNamesAndScoresAndReadBack) {
  scores_engine e;
  e->lib_highscoreset(3, 800, "Smith, J");
  ASSERT_TRUE(e->lib_highscorewrite(e.folder.file("scores.txt")));
  const std::string text = read_file(e.folder.file("scores.txt"));
  EXPECT_EQ(text.substr(0, 30), "\"P1\",1000\r\n\"P2\",900\r\n\"Smith, J");
  EXPECT_EQ(text.substr(text.size() - 11), "\"P10\",100\r\n");
  scores_engine other;
  for (int place = 1; place <= 10; ++place) other->lib_highscoreset(place, 0, "");
  ASSERT_TRUE(other->lib_highscoreread(e.folder.file("scores.txt")));
  for (int place = 1; place <= 10; ++place) EXPECT_EQ(other.at(place), e.at(place)) << place;
}

// A file of nine lines is refused, keeping what was read, with four lines in the log; so is a file
// that cannot be written or read.
TEST(HighScores, ShortUnwritableOrMissingFilesAreRefusedAndLogged) {
  scores_engine e;
  std::string text;
  for (int place = 1; place <= 9; ++place) text += "\"N" + std::to_string(place) + "\",5\r\n";
  write_file(e.folder.file("scores.txt"), text);
  EXPECT_FALSE(e->lib_highscoreread(e.folder.file("scores.txt")));
  const std::string past_end = "Error. (lib_highscoreread)\r\nVarnel_2D_Engine\r\n62\r\nInput past end of file\r\n";
  EXPECT_EQ(read_file(e.folder.file("data.log")), past_end);
  EXPECT_EQ(e->lib_highscoregetname(9), "N9");
  EXPECT_EQ(e->lib_highscoregetname(10), "P10");
  EXPECT_FALSE(e->lib_highscorewrite(e.folder.file("no/such/folder/scores.txt")));
  EXPECT_EQ(read_file(e.folder.file("data.log")).substr(past_end.size(), 28), "Error. (lib_highscorewrite)\r");
  EXPECT_FALSE(e->lib_highscoreread(e.folder.file("missing.txt")));
}

}  // namespace
}  // namespace varnel2d::testing
