// SPDX-License-Identifier: GPL-3.0-or-later
// Where Linux players keep Wine prefixes, and the folders inside a prefix where the game's Sims
// may be.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/environment.h"

namespace quill::platform::registry {

// The save folder of the 2025 re-release (the Legacy Collection), below a user's profile folder.
const std::vector<std::string>& SaveFolderComponents();

// The `prefix:` of a Lutris game file (YAML), unquoted; nothing when it has none.
std::optional<std::string> ParseLutrisPrefix(std::string_view text);

// The prefixes of the Wine front ends, in the order they are searched: those Lutris knows (the
// `prefix:` of each ~/.config/lutris/games/*.yml, then ~/Games/*/), Bottles (its own folder, then
// its Flatpak folder), PlayOnLinux, then every Proton prefix of every Steam library. Folders
// that do not exist are left out.
std::vector<std::filesystem::path> FrontEndPrefixes(const Environment& env);

// The re-release's characters folder under `users` (a prefix's drive_c/users), trying the folder
// of `firstUser` first, then the others in name order; nothing when none exists.
std::optional<std::filesystem::path> SaveFolderIn(const std::filesystem::path& users,
                                                  const std::string& firstUser);

}  // namespace quill::platform::registry
