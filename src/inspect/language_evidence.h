// SPDX-License-Identifier: GPL-3.0-or-later
// Which language slot holds the players' own names, judged from the name tables themselves. When
// a player names a Sim, the game writes the name only into the slot of the language it runs in;
// every other slot keeps the template's placeholder, which all player-made Sims share. So the
// game's slot is the one whose names differ most.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

inline constexpr int kLanguageSlots = 20;

// The name (string 0) in each slot 1 to 20 (entry slot - 1) of one name table, as stored and no
// longer than a shown name needs; empty where the slot has no name.
using SlotNames = std::array<std::string, kLanguageSlots>;

// The names of a complete FD FF string table; nothing for any other body.
std::optional<SlotNames> ReadSlotNames(std::string_view tableBody);

// The slot whose names in `tables` are the most distinct, empty names not counted; among equals
// `tieSlot` (the desktop's), then slot 1, then the lowest. Nothing when no table holds a name.
std::optional<int> MostNamedSlot(const std::vector<SlotNames>& tables, int tieSlot);

// The name tables that say which language the Sims at `path` are named in: for a folder, the
// name table ("CTSS") the roster shows of each of its character files; for a character file, its
// folder's; for a family export, its members' whole name tables. Empty when there are none.
std::vector<SlotNames> NameTablesAt(const std::filesystem::path& path);

}  // namespace quill
