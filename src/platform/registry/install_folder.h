// SPDX-License-Identifier: GPL-3.0-or-later
// The game's own install folder, which holds GameData/Behavior.iff and the skins the game ships
// with. A classic install names it in the registry; the 2025 re-release names it nowhere, so its
// usual places (a Steam library, the EA app's folder) are looked in.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/registry/environment.h"
#include "platform/registry/reading_budget.h"
#include "platform/registry/registry.h"

namespace quill::platform::registry {

inline constexpr const char* kInstallPathValue = "InstallPath";
// Where the re-release installs: in a Steam library's steamapps/common, or in the EA app's folder
// below Program Files.
inline constexpr const char* kReReleaseSteamFolder = "The Sims Legacy Collection";
inline constexpr const char* kEaAppFolder = "EA Games";
inline constexpr const char* kReReleaseEaAppFolder = "The Sims Legacy";

// Whether `folder` holds GameData/Behavior.iff (names matched without regard to case).
bool IsGameFolder(const std::filesystem::path& folder);

// Whether `folder` is the re-release's install: it holds eadpsdk.json beside Sims.exe (names
// matched without regard to case).
bool IsReReleaseInstall(const std::filesystem::path& folder);

// Whether `folder` or a folder above it is the re-release's install. Its UserData folders are
// untouched templates, never the player's Sims.
bool LiesInReReleaseInstall(const std::filesystem::path& folder);

// The game's folder a characters folder lies in: the parent of its UserData folder (UserData,
// UserData2, ...) when that holds GameData/Behavior.iff. Nothing otherwise.
std::optional<std::filesystem::path> GameFolderAbove(const std::filesystem::path& characters);

// The classic game's InstallPath value: in the 32-bit view its installer writes to, then in the
// native one; "" when neither holds one.
std::string GetInstallPath(RegistryApi& api);

// The game's install folder, link-free and absolute; `characters` is the characters folder the
// viewer opened (may be empty). Searches, the first found winning: GameFolderAbove(characters);
// the registry's InstallPath (Windows: the system's registry; Linux: the prefix of WINEPREFIX or
// ~/.wine, then every prefix of the Wine front ends); then the re-release in each Steam library
// (on Windows, Steam's folder in Program Files (x86) and the libraries it lists), then in the EA
// app's folder (on Linux in each of those prefixes' drive_c, on Windows in Program Files and
// Program Files (x86)). A candidate counts only when IsGameFolder holds. The prefixes' registry
// files are read within `budget`; once the program is asked to end, the search gives up at once.
std::optional<std::filesystem::path> FindGameFolder(
    const std::filesystem::path& characters, const Environment& env,
    ReadingBudget budget = ReadingBudget(kMostRegistryBytesPerSearch));
// For the running program; `endRequested` says whether it was asked to end meanwhile.
std::optional<std::filesystem::path> FindGameFolder(const std::filesystem::path& characters,
                                                    std::function<bool()> endRequested = {});

// Where FindGameFolder looks, in a few words for the player ("no game folder found; looked in
// ...").
std::string SearchedGameFolderPlaces();

}  // namespace quill::platform::registry
