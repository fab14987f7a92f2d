// SPDX-License-Identifier: GPL-3.0-or-later
// The game's text table read as the game reads it: one language's strings, decoded to UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

struct LocalizedStrings {
  int slot = 0;                    // the game's language slot the texts come from, 1..20
  std::vector<std::string> texts;  // that slot's strings in order, as UTF-8
};

// The Windows code page the game stores a language slot's strings in; 1252 for a slot outside
// 1..20.
unsigned CodePageOfSlot(int slot);

// Reads a complete FD FF string table and picks the slot as the game does: `playerSlot`, else
// slot 1, else the first slot whose string 0 is not empty. A slot whose string 0 (the Sim's name)
// is empty gives way to the next choice while one with a name is left. Nothing when `body` is
// not complete, or holds no string of a slot 1..20.
std::optional<LocalizedStrings> ReadLocalizedStrings(std::string_view body, int playerSlot);

// The same, keeping only the slot's first `count` strings, each decoded only as far as its first
// `characters` characters need: a longer one is returned with more than `characters` characters
// but not whole. For showing the start of strings that may be megabytes long.
std::optional<LocalizedStrings> ReadLocalizedStrings(std::string_view body, int playerSlot,
                                                     std::size_t count, std::size_t characters);

}  // namespace quill
