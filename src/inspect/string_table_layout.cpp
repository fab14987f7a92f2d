// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/string_table_layout.h"

namespace quill {

namespace {

constexpr std::size_t kTableHeaderLength = 4;  // format code FD FF, then a 16-bit count

}  // namespace

std::optional<CompleteTable> ReadCompleteTable(std::string_view body) {
  if (body.size() < kTableHeaderLength || static_cast<unsigned char>(body[0]) != 0xFD ||
      static_cast<unsigned char>(body[1]) != 0xFF) {
    return std::nullopt;
  }
  const unsigned count = static_cast<unsigned char>(body[2]) |
                         (static_cast<unsigned>(static_cast<unsigned char>(body[3])) << 8);
  CompleteTable table;
  std::size_t at = kTableHeaderLength;
  for (unsigned i = 0; i < count; ++i) {
    if (at >= body.size()) return std::nullopt;  // no language byte
    const std::size_t valueEnd = body.find('\0', at + 1);
    if (valueEnd == std::string_view::npos) return std::nullopt;
    const std::size_t commentEnd = body.find('\0', valueEnd + 1);
    if (commentEnd == std::string_view::npos) return std::nullopt;
    table.strings.push_back(
        {static_cast<unsigned char>(body[at]), body.substr(at + 1, valueEnd - at - 1)});
    at = commentEnd + 1;
  }
  table.end = at;
  return table;
}

}  // namespace quill
