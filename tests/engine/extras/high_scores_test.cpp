// The high-score table: ranking, names, the file written and read back, and read errors logged.
#include "engine/extras/high_scores.h"

#include <gtest/gtest.h>

#include "extras_fixture.h"

namespace varnel2d {
namespace {

using testing::extras_engine;

// Places 1..10 hold 1000, 900, ... 100 with names "P1" .. "P10".
struct scores_engine : extras_engine {
  scores_engine() {
    for (int place = 1; place <= 10; ++place)
      engine->lib_highscoreset(place, 1100 - 100 * place, "P" + std::to_string(place));
  }
};

TEST(HighScores, ANewScoreEntersBelowTheScoresItDoesNotBeat) {
  scores_engine e;
  EXPECT_EQ(e->lib_highscorecheck(950), 2);
  EXPECT_EQ(e->lib_highscoregetname(2), "Guest");
  EXPECT_EQ(e->lib_highscoregetscore(2), 950);
  EXPECT_EQ(e->lib_highscoregetname(3), "P2");
  EXPECT_EQ(e->lib_highscoregetscore(3), 900);
  EXPECT_EQ(e->lib_highscoregetscore(10), 200);  // the old 100 dropped out
  EXPECT_EQ(e->lib_highscoregetname(1), "P1");
}

TEST(HighScores, AnEqualScoreDoesNotEnterAndHugeScoresAreCapped) {
  scores_engine e;
  EXPECT_EQ(e->lib_highscorecheck(100), 0);
  EXPECT_EQ(e->lib_highscoregetname(10), "P10");
  EXPECT_EQ(e->lib_highscorecheck(20000000), 1);
  EXPECT_EQ(e->lib_highscoregetscore(1), 9999999);
  e->lib_highscoreset(4, 20000000, "x");
  EXPECT_EQ(e->lib_highscoregetscore(4), 9999999);
}

TEST(HighScores, NamesKeepTwentyCharactersAndQuotesBecomeApostrophes) {
  scores_engine e;
  e->lib_highscoreset(5, 1, "ABCDEFGHIJKLMNOPQRSTUVWXY");
  EXPECT_EQ(e->lib_highscoregetname(5), "ABCDEFGHIJKLMNOPQRST");
  e->lib_highscoreset(6, 1, "Ann \"Ace\"");
  EXPECT_EQ(e->lib_highscoregetname(6), "Ann 'Ace'");
  std::string accents;
  for (int i = 0; i < 21; ++i) accents += "\xC3\xA9";  // "é" is two bytes and one character
  EXPECT_EQ(cut_name(accents), accents.substr(0, 40));
}

TEST(HighScores, PlacesOutsideTheTableDoNothingAndReadEmpty) {
  scores_engine e;
  e->lib_highscoreset(11, 5, "x");
  e->lib_highscoreset(-1, 5, "x");
  EXPECT_EQ(e->lib_highscoregetname(11), "");
  EXPECT_EQ(e->lib_highscoregetscore(-1), 0);
  e->lib_highscoreset(0, 5, "spare");
  EXPECT_EQ(e->lib_highscoregetname(0), "spare");
}

TEST(HighScores, WrittenAsQuotedNamesAndScoresAndReadBack) {
  scores_engine e;
  e->lib_highscoreset(3, 800, "Smith, J");
  ASSERT_TRUE(e->lib_highscorewrite(e.folder.file("scores.txt")));
  const std::string text = testing::read_file(e.folder.file("scores.txt"));
  EXPECT_EQ(text.substr(0, 30), "\"P1\",1000\r\n\"P2\",900\r\n\"Smith, J");
  EXPECT_EQ(text.substr(text.size() - 11), "\"P10\",100\r\n");
  scores_engine other;
  for (int place = 1; place <= 10; ++place) other->lib_highscoreset(place, 0, "");
  ASSERT_TRUE(other->lib_highscoreread(e.folder.file("scores.txt")));
  for (int place = 1; place <= 10; ++place) {
    EXPECT_EQ(other->lib_highscoregetname(place), e->lib_highscoregetname(place));
    EXPECT_EQ(other->lib_highscoregetscore(place), e->lib_highscoregetscore(place));
  }
}

TEST(HighScores, AFileOfNineLinesIsRefusedWithFourLogLinesAndKeepsWhatWasRead) {
  scores_engine e;
  e->lib_setpath(e.folder.data_path());
  std::string text;
  for (int place = 1; place <= 9; ++place) text += "\"N" + std::to_string(place) + "\",5\r\n";
  testing::write_file(e.folder.file("scores.txt"), text);
  EXPECT_FALSE(e->lib_highscoreread(e.folder.file("scores.txt")));
  EXPECT_EQ(testing::read_file(e.folder.file("data.log")),
            "Error. (lib_highscoreread)\r\nVarnel_2D_Engine\r\n62\r\nInput past end of file\r\n");
  EXPECT_EQ(e->lib_highscoregetname(9), "N9");
  EXPECT_EQ(e->lib_highscoregetname(10), "P10");
}

TEST(HighScores, AFileThatCannotBeWrittenIsLogged) {
  scores_engine e;
  e->lib_setpath(e.folder.data_path());
  EXPECT_FALSE(e->lib_highscorewrite(e.folder.file("no/such/folder/scores.txt")));
  EXPECT_EQ(testing::read_file(e.folder.file("data.log")).substr(0, 28), "Error. (lib_highscorewrite)\r");
  EXPECT_FALSE(e->lib_highscoreread(e.folder.file("missing.txt")));
}

}  // namespace
}  // namespace varnel2d
