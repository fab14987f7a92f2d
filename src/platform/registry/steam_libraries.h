// SPDX-License-Identifier: GPL-3.0-or-later
// Steam's library folders: each may hold Proton prefixes, one per game run through Proton.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/environment.h"

namespace quill::platform::registry {

// More libraries than anyone has disks; a longer list is not Steam's.
inline constexpr std::size_t kMostSteamLibraries = 64;
// Real lists of library folders are a few kilobytes.
inline constexpr std::size_t kLargestLibraryList = 1024 * 1024;

// The distinct "path" entries of Steam's list of library folders (libraryfolders.vdf, a
// KeyValues text file), in the list's order, at most kMostSteamLibraries of them.
std::vector<std::string> ParseSteamLibraryList(std::string_view text);

// Steam's own folders that exist (~/.steam/steam, ~/.local/share/Steam, the Flatpak Steam
// folder), each followed by the libraries it lists; each folder once, at most
// kMostSteamLibraries in all.
std::vector<std::filesystem::path> SteamLibraries(const Environment& env);

}  // namespace quill::platform::registry
