// SPDX-License-Identifier: GPL-3.0-or-later
// What the picture sheet decodes, free of widgets so that tests and fuzzers can call it: pictures
// in the sheet's order, each while its pixels, decoded and as shown enlarged, still fit the bound.
#pragma once

#include <QImage>
#include <QSize>
#include <optional>
#include <string_view>

namespace quill {

// The most pixels the sheet holds at once, decoded and enlarged together; pictures beyond it get
// a placeholder. A character file's six portraits take a few hundred thousand.
inline constexpr long long kSheetPixels = 16LL * 1024 * 1024;
inline constexpr const char* kNoPicture = "(no picture)";
inline constexpr const char* kTooManyPixels = "(too large to show)";

struct SheetPicture {
  QImage picture;  // null when not shown
  int zoom = 1;
  const char* placeholder = nullptr;  // shown instead of a null picture
};

class SheetPixels {
 public:
  // `room`: the logical space one picture may take on a screen of `devicePixelRatio`.
  SheetPixels(QSize room, qreal devicePixelRatio) : room_(room), ratio_(devicePixelRatio) {}

  // The space a picture file's body will take as its header states it, read without decoding it;
  // nothing when it is no picture the loader decodes.
  std::optional<QSize> plannedSize(std::string_view body) const;
  // The next picture of the sheet: never decoded when its stated size no longer fits the bound,
  // and measured again once decoded (an icon may hold more than it states).
  SheetPicture decode(std::string_view body);
  long long held() const { return held_; }

 private:
  long long pixelsFor(QSize size, int zoom) const;

  QSize room_;
  qreal ratio_;
  long long held_ = 0;
};

}  // namespace quill
