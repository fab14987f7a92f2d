// SPDX-License-Identifier: GPL-3.0-or-later
// The values of a text skin file, one a line, read front to back. A read past the last line or a
// line that is not the value asked for throws ChunkFailure, as a binary file's cursor does.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "chunkfile/byte_cursor.h"

namespace quill::content {

class TextLines {
 public:
  explicit TextLines(std::string_view text);

  std::size_t left() const { return lines_ - taken_; }

  // The next line without its line end and surrounding spaces.
  std::string_view line();
  std::string string() { return std::string(line()); }
  std::uint32_t u32();
  std::int32_t i32();
  float f32();
  // The numbers of one line, "a b c", read in turn; end() refuses a number left over.
  class LineNumbers {
   public:
    explicit LineNumbers(std::string_view numbers) : rest_(numbers) {}
    std::uint32_t u32();
    std::int32_t i32();
    float f32();
    void end() const;

   private:
    std::string_view rest_;
  };
  LineNumbers numbers() { return LineNumbers(line()); }
  // A vector or quaternion: "| x y z |" or "| x y z w |".
  template <std::size_t N>
  std::array<float, N> floats() {
    std::array<float, N> values{};
    LineNumbers vector(BetweenBars(line()));
    for (float& value : values) value = vector.f32();
    vector.end();
    return values;
  }
  // A count of items of at least `leastLines` lines each, refused when they cannot all fit in the
  // lines left.
  std::size_t count(std::size_t leastLines);

 private:
  static std::string_view Trimmed(std::string_view text);
  static std::string_view BetweenBars(std::string_view line);
  // The number at the start of `rest` (after spaces), which is moved past it.
  template <typename Number>
  static Number FirstNumber(std::string_view& rest);

  std::string_view text_;
  std::size_t lines_ = 0;
  std::size_t taken_ = 0;
};

}  // namespace quill::content
