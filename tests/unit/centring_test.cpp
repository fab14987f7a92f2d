#include "window/centring.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(Centring, HalvesTheRoundedDifferenceTowardZero) {
  // {screen, window, position}: the window may be larger than the screen, and halves round to the
  // even neighbour before halving (2.5 -> 2, 3.5 -> 4).
  const double cases[][3] = {{15360, 8700, 3330}, {11520, 6900, 2310}, {1000, 1301, -150},
                             {1000, 1000, 0},     {1001, 1000, 0},     {1003, 1000, 1},
                             {1002.5, 1000, 1},   {1003.5, 1000, 2},   {1000, 1002.5, -1},
                             {1000, 1003.5, -2}};
  for (const auto& c : cases)
    EXPECT_EQ(CentredPosition(c[0], c[1]), static_cast<long>(c[2])) << c[0] << " " << c[1];
}

}  // namespace
}  // namespace quill
