// SPDX-License-Identifier: GPL-3.0-or-later
// Which folder the viewer opens at start-up: the game's own characters folder when a registry
// names one that exists, else the save folder of the 2025 re-release, where current players keep
// their Sims. On Linux every Wine prefix a player is likely to have is searched.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/registry/environment.h"
#include "platform/registry/reading_budget.h"
#include "platform/registry/wine_path.h"

namespace quill::platform::registry {

// The Steam application whose Proton prefix holds the re-release's saves.
inline constexpr std::string_view kReReleaseSteamApp = "3314060";

// A characters folder the search found, and the language the game runs in there.
struct FoundFolder {
  // Not explicit: a folder alone is one found where the game's language is not known.
  FoundFolder(std::filesystem::path folder, std::optional<int> language = std::nullopt)
      : characters(std::move(folder)), gameLanguage(language) {}
  std::filesystem::path characters;
  // The slot (1 to 20) the registry of the same system or Wine prefix names (ReadGameLanguage).
  std::optional<int> gameLanguage;
  bool operator==(const FoundFolder&) const = default;
};

// `gameDataFolder` is GetGameDataFolder()'s answer for the system's own registry. Searches, the
// first found winning: on Windows, that folder, then the re-release's save folder in the user's
// profile. On Linux, that folder in the prefix of WINEPREFIX or ~/.wine, then the re-release's
// save folder in it, then the one in the re-release's Proton prefix of each Steam library; then,
// in each prefix of the Wine front ends (see FrontEndPrefixes), the game's registry value and
// the re-release's save folder. Nothing when no folder is found; the viewer then stays in the
// process's current folder. The game's language is read from the registry of the system, or of
// the prefix, the folder was found in. A folder inside the re-release's install is never chosen
// (LiesInReReleaseInstall): it holds templates the game ships, not the player's Sims. The
// prefixes' registry files are read within `budget`; once the program is asked to end, the search
// gives up at once.
std::optional<FoundFolder> ChooseStartupFolder(
    const std::string& gameDataFolder, const Environment& env,
    ReadingBudget budget = ReadingBudget(kMostRegistryBytesPerSearch));
// For the running program; `endRequested` says whether it was asked to end meanwhile.
std::optional<FoundFolder> ChooseStartupFolder(const std::string& gameDataFolder,
                                               std::function<bool()> endRequested = {});

// Where ChooseStartupFolder looks, in a few words for the player ("... or any Lutris prefix").
std::string SearchedPlaces();

}  // namespace quill::platform::registry
