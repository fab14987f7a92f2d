// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up folder on Linux: the game under Wine, Proton or a Wine front end.
#include <set>
#include <system_error>
#include <utility>

#include "platform/registry/game_folder.h"
#include "platform/registry/game_language.h"
#include "platform/registry/install_folder.h"
#include "platform/registry/registry.h"
#include "platform/registry/steam_libraries.h"
#include "platform/registry/wine_prefixes.h"
#include "platform/registry/wine_registry.h"

namespace quill::platform::registry {

namespace fs = std::filesystem;

namespace {

// A link-free spelling, so that the viewer shows the folder the way the player knows it rather
// than through the prefix's drive links. The re-release's own characters folders are templates
// it ships, not the player's Sims.
std::optional<fs::path> Found(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return std::nullopt;
  fs::path canonical = fs::canonical(folder, ec);
  if (ec) canonical = folder;
  if (LiesInReReleaseInstall(canonical)) return std::nullopt;
  return canonical;
}

// The characters folder of the data folder a prefix's registry names.
std::optional<fs::path> GameFolderIn(const fs::path& prefix, const std::string& gameDataFolder) {
  // The value ends in the one backslash GetGameDataFolder adds, if it did not already.
  if (gameDataFolder == kGameDataNotFound || gameDataFolder.size() > kLongestWindowsPath + 1) {
    return std::nullopt;
  }
  const auto mapped = MapWindowsPathToWine(prefix, gameDataFolder + "UserData\\Characters");
  return mapped ? Found(*mapped) : std::nullopt;
}

std::optional<fs::path> SavesIn(const fs::path& prefix, const std::string& user) {
  const auto saves = SaveFolderIn(prefix / "drive_c" / "users", user);
  return saves ? Found(*saves) : std::nullopt;
}

// `folder`, found in the prefix whose registry is `registry`, with the language the game runs in
// there.
FoundFolder InPrefix(fs::path folder, WineRegistry& registry) {
  return FoundFolder(std::move(folder), ReadGameLanguage(registry));
}

}  // namespace

std::optional<FoundFolder> ChooseStartupFolder(const std::string& gameDataFolder,
                                               const Environment& env, ReadingBudget budget) {
  const fs::path prefix = WinePrefixOf(env);
  if (!prefix.empty()) {
    // Read only when a folder is found in the prefix.
    WineRegistry registry(prefix, budget);
    if (auto found = GameFolderIn(prefix, gameDataFolder)) return InPrefix(*found, registry);
    if (auto found = SavesIn(prefix, env.user)) return InPrefix(*found, registry);
  }
  for (const fs::path& library : SteamLibraries(env)) {
    const fs::path pfx = library / "steamapps" / "compatdata" / kReReleaseSteamApp / "pfx";
    const fs::path profile = pfx / "drive_c" / "users" / "steamuser";
    if (auto found = Found(MatchComponents(profile, SaveFolderComponents()))) {
      WineRegistry registry(pfx, budget);
      return InPrefix(*found, registry);
    }
  }

  std::set<fs::path> searched;
  std::error_code ec;
  if (!prefix.empty()) searched.insert(fs::weakly_canonical(prefix, ec));
  for (const fs::path& other : FrontEndPrefixes(env)) {
    if (budget.Ended()) return std::nullopt;
    fs::path canonical = fs::weakly_canonical(other, ec);
    if (!searched.insert(ec ? other : canonical).second) continue;
    WineRegistry registry(other, budget);
    if (auto found = GameFolderIn(other, GetGameDataFolder(registry)))
      return InPrefix(*found, registry);
    if (auto found = SavesIn(other, env.user)) return InPrefix(*found, registry);
  }
  return std::nullopt;
}

std::optional<FoundFolder> ChooseStartupFolder(const std::string& gameDataFolder,
                                               std::function<bool()> endRequested) {
  return ChooseStartupFolder(gameDataFolder, CurrentEnvironment(),
                             ReadingBudget(kMostRegistryBytesPerSearch, std::move(endRequested)));
}

std::string SearchedPlaces() {
  return "~/.wine (or WINEPREFIX) or any Lutris, Bottles, PlayOnLinux or Steam prefix";
}

}  // namespace quill::platform::registry
