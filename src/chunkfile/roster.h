// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "chunkfile/character_state.h"
#include "chunkfile/character_view.h"

namespace quill {

inline constexpr const char* kBadFile = "Bad File";

// What the roster learns of one file: its line and the Sim's GUID.
struct RosterLine {
  std::string name;  // the Sim's name, or "Bad File"
  std::optional<std::uint32_t> guid;
};
// Reads a character file's bytes into its roster line, with no window: the one roster reader.
using RosterReader = std::function<RosterLine(std::string_view image)>;

// Rebuilds the roster for the file list's folder: one line per file, as `read` finds it in the
// file's bytes ("Bad File" for a file that cannot be read), letting events run after each file;
// then loads the first file.
void BuildRoster(CharacterState& state, CharacterView& view, const RosterReader& read);

// What choosing a roster line does: load the file at the same position.
void LoadRosterChoice(CharacterView& view);

}  // namespace quill
