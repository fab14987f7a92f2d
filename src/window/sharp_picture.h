// SPDX-License-Identifier: GPL-3.0-or-later
// Portraits are pixel art of a few dozen pixels: they are enlarged by whole numbers and without
// smoothing, drawn at the screen's own resolution.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

namespace quill {

// The largest whole-number zoom at which the picture fits the room, at least 1; pictures no
// larger than kSmallPictureEdge on either side get at least 2.
inline constexpr int kSmallPictureEdge = 32;
int ZoomToFit(QSize picture, QSize room);

// The picture shown at `logicalSize` on a screen of `devicePixelRatio`, each screen pixel taking
// the nearest picture pixel, so that nothing is smoothed however the screen scales.
QPixmap SharpPixmap(const QImage& picture, QSize logicalSize, qreal devicePixelRatio);

}  // namespace quill
