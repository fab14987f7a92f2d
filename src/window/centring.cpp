// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/centring.h"

#include <cmath>

namespace quill {

long CentredPosition(double screen, double window) {
  // nearbyint rounds halves to even in the default rounding mode.
  const auto difference = static_cast<long>(std::nearbyint(screen - window));
  return difference / 2;
}

}  // namespace quill
