// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/sheet_pixels.h"

#include <cmath>

#include "platform/picture.h"
#include "window/sharp_picture.h"

namespace quill {

std::optional<QSize> SheetPixels::plannedSize(std::string_view body) const {
  const std::optional<QSize> size = platform::StatedPictureSize(body);
  if (!size) return std::nullopt;
  return *size * ZoomToFit(*size, room_);
}

SheetPicture SheetPixels::decode(std::string_view body) {
  const std::optional<QSize> stated = platform::StatedPictureSize(body);
  if (!stated) return {{}, 1, kNoPicture};
  if (held_ + pixelsFor(*stated, ZoomToFit(*stated, room_)) > kSheetPixels) {
    return {{}, 1, kTooManyPixels};
  }
  std::optional<QImage> picture = platform::DecodePicture(body);
  if (!picture) return {{}, 1, kNoPicture};
  const int zoom = ZoomToFit(picture->size(), room_);
  const long long pixels = pixelsFor(picture->size(), zoom);
  if (held_ + pixels > kSheetPixels) return {{}, 1, kTooManyPixels};
  held_ += pixels;
  return {std::move(*picture), zoom, nullptr};
}

long long SheetPixels::pixelsFor(QSize size, int zoom) const {
  const double screenPixels = zoom * ratio_;
  const auto area = static_cast<long long>(size.width()) * size.height();
  return area +
         static_cast<long long>(std::ceil(static_cast<double>(area) * screenPixels * screenPixels));
}

}  // namespace quill
