// SPDX-License-Identifier: GPL-3.0-or-later
// Which files of a folder are character files, and the order the file list and `--list` show.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace quill {

// Names compared without regard to letter case, so that "_" sorts before the letters.
void SortByName(std::vector<std::filesystem::path>& names);

// Whether a name matches "User*.*": it begins with "User" in any letter case.
bool IsCharacterFileName(const std::filesystem::path& name);

// The character files of `folder`, names only, in file-list order; nothing when the folder
// cannot be read.
std::optional<std::vector<std::filesystem::path>> ListCharacterFiles(
    const std::filesystem::path& folder);

}  // namespace quill
