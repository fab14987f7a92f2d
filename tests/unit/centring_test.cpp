#include "window/centring.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(Centring, HalvesTheRoundedDifferenceTowardZero) {
  EXPECT_EQ(CentredPosition(15360, 8700), 3330);
  EXPECT_EQ(CentredPosition(11520, 6900), 2310);
  EXPECT_EQ(CentredPosition(1000, 1301), -150);  // larger than the screen by 301
  EXPECT_EQ(CentredPosition(1000, 1000), 0);
  EXPECT_EQ(CentredPosition(1001, 1000), 0);
  EXPECT_EQ(CentredPosition(1003, 1000), 1);
  // Halves round to the even neighbour before halving: 2.5 -> 2, 3.5 -> 4.
  EXPECT_EQ(CentredPosition(1002.5, 1000), 1);
  EXPECT_EQ(CentredPosition(1003.5, 1000), 2);
  EXPECT_EQ(CentredPosition(1000, 1002.5), -1);
  EXPECT_EQ(CentredPosition(1000, 1003.5), -2);
}

}  // namespace
}  // namespace quill
