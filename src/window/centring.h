// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quill {

// Where a window of `window` twips starts so as to sit centred on `screen` twips: the difference
// rounded to whole twips (halves to even), halved with the remainder dropped toward zero. A window
// larger than the screen gets a negative position.
long CentredPosition(double screen, double window);

inline constexpr int kTwipsPerPixel = 15;

}  // namespace quill
