#pragma once

#include <filesystem>
#include <vector>

namespace quill {

// File-name order as the old file lists kept it: letters compared without regard to case.
void SortByName(std::vector<std::filesystem::path>& names);

// Whether a name matches "User*.*": it begins with "User" in any letter case.
bool IsCharacterFileName(const std::filesystem::path& name);

}  // namespace quill
