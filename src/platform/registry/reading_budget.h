// SPDX-License-Identifier: GPL-3.0-or-later
// What one search of registry files may spend: the bytes it may read in all, the part of them it
// may read line by line (far slower than passing lines over), and a way for the program to end
// it early. One budget is shared by every prefix a start-up search reads, so that
// no number or size of registry files can hold up start-up for long.
#pragma once

#include <cstddef>
#include <functional>
#include <utility>

namespace quill::platform::registry {

// Bytes of registry files one start-up search reads at most: the prefixes of a few hundred games,
// read in about half a second.
inline constexpr std::size_t kMostRegistryBytesPerSearch = std::size_t{1} << 30;
// Of them, the bytes read line by line: a prefix takes a few kilobytes.
inline constexpr std::size_t kMostRegistryLineBytesPerSearch = 8 * 1024 * 1024;

class ReadingBudget {
 public:
  // `endRequested`, when given, says whether the program was asked to end meanwhile.
  explicit ReadingBudget(std::size_t bytes, std::function<bool()> endRequested = {},
                         std::size_t lineBytes = kMostRegistryLineBytesPerSearch)
      : left_(bytes), linesLeft_(lineBytes), endRequested_(std::move(endRequested)) {}

  // Takes `bytes` read, `lineBytes` of them read line by line: false, after which nothing more
  // is read, when fewer are left or the program was asked to end.
  bool Take(std::size_t bytes, std::size_t lineBytes = 0) {
    if (Ended() || bytes > left_ || lineBytes > linesLeft_) {
      left_ = linesLeft_ = 0;
      return false;
    }
    left_ -= bytes;
    linesLeft_ -= lineBytes;
    spent_ += bytes;
    return true;
  }

  // Whether the program was asked to end; the search then stops at once.
  bool Ended() {
    if (!ended_ && endRequested_) ended_ = endRequested_();
    return ended_;
  }

  std::size_t Spent() const { return spent_; }

 private:
  std::size_t left_;
  std::size_t linesLeft_;
  std::size_t spent_ = 0;
  std::function<bool()> endRequested_;
  bool ended_ = false;
};

}  // namespace quill::platform::registry
