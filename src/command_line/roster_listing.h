// SPDX-License-Identifier: GPL-3.0-or-later
// `quillmere --list`: a folder's roster, read by the same reader as the window's roster, with no
// window at all.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "inspect/roster_entry.h"

namespace quill {

// One entry per character file of `folder`, in file-list order, the names in the game's language
// slot `languageSlot` where a file has it; nothing when the folder cannot be read.
std::optional<std::vector<RosterEntry>> ListRoster(const std::filesystem::path& folder,
                                                   int languageSlot);

// "file name<TAB>Sim name" lines, UTF-8, both shown by the one rule for names, so that a file
// name cannot forge a line.
std::string FormatRoster(const std::vector<RosterEntry>& roster);

}  // namespace quill
