// Whole numbers from fractions and decimal text.
#include <varnel2d/numbers.h>

#include <gtest/gtest.h>

namespace varnel2d {
namespace {

TEST(to_whole, rounds_halves_to_even_and_clamps_to_the_target) {
  EXPECT_EQ(to_int32(2.5), 2);
  EXPECT_EQ(to_int32(3.5), 4);
  EXPECT_EQ(to_int32(-2.5), -2);
  EXPECT_EQ(to_int32(-0.6), -1);
  EXPECT_EQ(to_int16(40000.0), INT16_MAX);
  EXPECT_EQ(to_int16(-40000.0), INT16_MIN);
  EXPECT_EQ(to_int32(1e300), INT32_MAX);
  EXPECT_EQ(to_int32(std::nan("")), 0);
  EXPECT_EQ(int_floor(-0.5), -1);
}

TEST(leading_number, reads_as_far_as_a_number_goes) {
  EXPECT_EQ(leading_number("  1234 rest"), 1234);
  EXPECT_EQ(leading_number("-12.75x"), -12.75);
  EXPECT_EQ(leading_number("+7"), 7);
  EXPECT_EQ(leading_number("1e3"), 1000);
  EXPECT_EQ(leading_number("1e"), 1);
  EXPECT_EQ(leading_number(".5"), 0.5);
  EXPECT_EQ(leading_number(":1234"), 0);
  EXPECT_EQ(leading_number("-"), 0);
  EXPECT_EQ(leading_number(""), 0);
}

}  // namespace
}  // namespace varnel2d
