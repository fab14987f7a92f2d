#pragma once

#include <filesystem>
#include <vector>

namespace quill {

// Sorts file names without regard to case, so that Bob and bob stand together; names that differ
// only in case keep a fixed order between them.
void SortByName(std::vector<std::filesystem::path>& names);

// Whether a name matches "User*.*": it begins with "User" in any letter case.
bool IsCharacterFileName(const std::filesystem::path& name);

}  // namespace quill
