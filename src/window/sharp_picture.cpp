// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/sharp_picture.h"

#include <algorithm>
#include <cmath>

namespace quill {

int ZoomToFit(QSize picture, QSize room) {
  if (picture.isEmpty()) return 1;
  const int fits = std::min(room.width() / picture.width(), room.height() / picture.height());
  const bool small = std::max(picture.width(), picture.height()) <= kSmallPictureEdge;
  return std::max(fits, small ? 2 : 1);
}

QPixmap SharpPixmap(const QImage& picture, QSize logicalSize, qreal devicePixelRatio) {
  if (picture.isNull()) return {};
  const QSize device(static_cast<int>(std::lround(logicalSize.width() * devicePixelRatio)),
                     static_cast<int>(std::lround(logicalSize.height() * devicePixelRatio)));
  QPixmap pixmap =
      QPixmap::fromImage(picture.size() == device ? picture
                                                  : picture.scaled(device, Qt::IgnoreAspectRatio,
                                                                   Qt::FastTransformation));
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

}  // namespace quill
