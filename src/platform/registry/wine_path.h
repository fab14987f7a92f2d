// SPDX-License-Identifier: GPL-3.0-or-later
// Where a Windows path of a Wine prefix lies on Linux.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill::platform::registry {

// The longest path Windows programs such as the game can use (MAX_PATH); a registry value naming
// a longer folder is not the game's.
inline constexpr std::size_t kLongestWindowsPath = 260;

// Where a drive-absolute Windows path ("C:\Program Files\...") of the Wine prefix lies: through
// the prefix's dosdevices drive links, each component matched against the existing entries with
// case ignored, as Wine does on a case-sensitive file system. Components from the first that does
// not exist on are kept as written. Nothing for other forms of path or an unmapped drive. Takes
// time in proportion to the path's length, whatever the path.
std::optional<std::filesystem::path> MapWindowsPathToWine(const std::filesystem::path& prefix,
                                                          std::string_view windowsPath);

// `base` followed by each of `components`, matched as MapWindowsPathToWine matches them.
std::filesystem::path MatchComponents(const std::filesystem::path& base,
                                      const std::vector<std::string>& components);

}  // namespace quill::platform::registry
