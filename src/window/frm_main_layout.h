// SPDX-License-Identifier: GPL-3.0-or-later
// Places of the window's layout that the window also needs after building it, in twips.
#pragma once

#include <QRect>

#include "window/centring.h"

namespace quill {

struct TwipsRect {
  int left;
  int top;
  int width;
  int height;

  constexpr QRect pixels() const {
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
  }
};

// In the name frame: the picture box, which grows with a large picture into the free corner up to
// the image-type frame and down to the description.
inline constexpr TwipsRect kPicture1Place{120, 240, 615, 495};
inline constexpr TwipsRect kDescriptionPlace{120, 1080, 3015, 1575};
inline constexpr TwipsRect kFrame5Place{3240, 240, 2055, 2535};

}  // namespace quill
