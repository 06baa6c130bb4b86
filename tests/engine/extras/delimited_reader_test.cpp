// The shared reader of the engine's delimited files: blanks, quotes, commas and line breaks.
#include "engine/extras/delimited_reader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace varnel2d {
namespace {

TEST(DelimitedReader, TextFieldsEndAtCommasAndLineBreaksWithBlanksDropped) {
  delimited_reader reader("  Varnel 2D+ Game Engine  \r\nfirst , second\nlast");
  EXPECT_EQ(reader.text_field(), "Varnel 2D+ Game Engine");
  EXPECT_EQ(reader.text_field(), "first");
  EXPECT_EQ(reader.text_field(), "second");
  EXPECT_EQ(reader.text_field(), "last");
  EXPECT_EQ(reader.text_field(), std::nullopt);
}

TEST(DelimitedReader, QuotedFieldsKeepCommasAndDropWhatFollowsTheQuote) {
  delimited_reader reader("\"Smith, J\",950\r\n\"Ann\"x,12\r\n\"\"\"Q\"\"\"\r\n\"open");
  EXPECT_EQ(reader.text_field(), "Smith, J");
  EXPECT_EQ(reader.number_field(), 950);
  EXPECT_EQ(reader.text_field(), "Ann");
  EXPECT_EQ(reader.number_field(), 12);
  EXPECT_EQ(reader.text_field(), "\"Q\"");  // doubled quotes inside the quotes
  EXPECT_EQ(reader.text_field(), std::nullopt);  // an unclosed quote
}

TEST(DelimitedReader, NumbersEndAtBlanksAndRowsRunAcrossLineBreaks) {
  delimited_reader reader(" 1  0  3 \r\n-5 \r\n1,2\r\n3,\r\n4\r\n");
  EXPECT_EQ(reader.number_field(), 1);
  EXPECT_EQ(reader.number_field(), 0);
  EXPECT_EQ(reader.number_field(), 3);
  EXPECT_EQ(reader.number_field(), -5);
  for (int64_t expected : {1, 2, 3, 4}) EXPECT_EQ(reader.number_field(), expected);
  EXPECT_TRUE(reader.at_end());
  EXPECT_EQ(reader.number_field(), std::nullopt);
}

TEST(DelimitedReader, ANumberAfterItsLineLeavesTheNextLineWhole) {
  delimited_reader reader(" 3 \r\nname.png\r\n");
  EXPECT_EQ(reader.number_field(), 3);
  EXPECT_EQ(reader.text_field(), "name.png");
}

TEST(DelimitedReader, FieldsThatAreNotWholeNumbersAreRefused) {
  for (const char* text : {"12abc", "1.5", "", ",", "+-3", "x"}) {
    delimited_reader reader(text);
    EXPECT_EQ(reader.number_field(), std::nullopt) << text;
  }
  delimited_reader signed_number("+7");
  EXPECT_EQ(signed_number.number_field(), 7);
}

TEST(DelimitedReader, EmptyLinesAreEmptyTextFields) {
  delimited_reader reader("a\r\n\r\nb");
  EXPECT_EQ(reader.text_field(), "a");
  EXPECT_EQ(reader.text_field(), "");
  EXPECT_EQ(reader.text_field(), "b");
}

TEST(DelimitedReader, ReadsAStreamHandedToIt) {
  std::istringstream in("\"x\",4\r\n");
  delimited_reader reader(in);
  EXPECT_EQ(reader.text_field(), "x");
  EXPECT_EQ(reader.number_field(), 4);
}

}  // namespace
}  // namespace varnel2d
