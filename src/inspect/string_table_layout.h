// SPDX-License-Identifier: GPL-3.0-or-later
// The layout of the game's text table, format FD FF: a 16-bit little-endian count, then per
// string a language byte, a NUL-terminated value and a NUL-terminated comment, then filler.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace quill {

struct TableString {
  int language = 0;        // the language byte
  std::string_view value;  // without its NUL
};

struct CompleteTable {
  std::vector<TableString> strings;
  std::size_t end = 0;  // where the filler after the last string begins
};

// The strings of a complete FD FF table: every one of its strings has a language byte, a value
// and a comment, each ending in a NUL inside the body. Nothing for any other body.
std::optional<CompleteTable> ReadCompleteTable(std::string_view body);

}  // namespace quill
