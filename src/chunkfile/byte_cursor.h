// SPDX-License-Identifier: GPL-3.0-or-later
// Little-endian fields of the game's binary files read front to back (a chunk's body, a skin
// file). Every read is checked against the bytes left, and a read past the end throws
// ChunkFailure, which each reader turns into "nothing".
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "chunkfile/chunk_table.h"

namespace quill {

class ByteCursor {
 public:
  explicit ByteCursor(std::string_view bytes) : bytes_(bytes) {}

  std::size_t left() const { return bytes_.size() - at_; }
  // The bytes not yet read.
  std::string_view rest() const { return bytes_.substr(at_); }

  std::string_view take(std::size_t length) {
    if (length > left()) throw ChunkFailure("read past the end");
    const std::string_view taken = bytes_.substr(at_, length);
    at_ += length;
    return taken;
  }
  std::uint16_t u16() {
    const std::string_view b = take(2);
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[0]) |
                                      static_cast<unsigned char>(b[1]) << 8);
  }
  std::uint32_t u32() {
    const std::string_view b = take(4);
    std::uint32_t value = 0;
    for (int k = 3; k >= 0; --k) value = value << 8 | static_cast<unsigned char>(b[k]);
    return value;
  }
  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
  float f32() { return std::bit_cast<float>(u32()); }

  // A count of items of at least `leastBytes` bytes each, refused when they cannot all fit in the
  // bytes left, so that nothing is ever reserved for a count the file cannot hold.
  std::size_t count(std::size_t leastBytes) {
    const std::uint32_t stated = u32();
    if (stated > left() / leastBytes) throw ChunkFailure("count past the end");
    return stated;
  }

  // A length byte, or 255 and a 32-bit length, then that many Latin-1 bytes.
  std::string string() {
    std::size_t length = static_cast<unsigned char>(take(1)[0]);
    if (length == 255) length = u32();
    return std::string(take(length));
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

}  // namespace quill
