// Which folder the viewer opens at start-up: the game's own characters folder when a registry
// names one that exists, else the save folder of the 2025 re-release, where current players keep
// their Sims. On Linux every Wine prefix a player is likely to have is searched.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry/environment.h"
#include "platform/registry/reading_budget.h"
#include "platform/registry/wine_path.h"

namespace quill::platform::registry {

// The Steam application whose Proton prefix holds the re-release's saves.
inline constexpr std::string_view kReReleaseSteamApp = "3314060";

// `gameDataFolder` is GetGameDataFolder()'s answer for the system's own registry. Searches, the
// first found winning: on Windows, that folder, then the re-release's save folder in the user's
// profile. On Linux, that folder in the prefix of WINEPREFIX or ~/.wine, then the re-release's
// save folder in it, then the one in the re-release's Proton prefix of each Steam library; then,
// in each prefix of the Wine front ends (see FrontEndPrefixes), the game's registry value and
// the re-release's save folder. Nothing when no folder is found; the viewer then stays in the
// process's current folder. The prefixes' registry files are read within `budget`; once the
// program is asked to end, the search gives up at once.
std::optional<std::filesystem::path> ChooseStartupFolder(
    const std::string& gameDataFolder, const Environment& env,
    ReadingBudget budget = ReadingBudget(kMostRegistryBytesPerSearch));
// For the running program; `endRequested` says whether it was asked to end meanwhile.
std::optional<std::filesystem::path> ChooseStartupFolder(const std::string& gameDataFolder,
                                                         std::function<bool()> endRequested = {});

// Where ChooseStartupFolder looks, in a few words for the player ("... or any Lutris prefix").
std::string SearchedPlaces();

}  // namespace quill::platform::registry
