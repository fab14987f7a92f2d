// SPDX-License-Identifier: GPL-3.0-or-later
// The game's install folder on Linux: in a Wine prefix, through its registry or the EA app's
// folder, or in a Steam library.
#include <set>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/registry/install_folder.h"
#include "platform/registry/steam_libraries.h"
#include "platform/registry/wine_path.h"
#include "platform/registry/wine_prefixes.h"
#include "platform/registry/wine_registry.h"

namespace quill::platform::registry {

namespace fs = std::filesystem;

namespace {

// `folder` when it is the game's, spelt link-free so that the player sees it as they know it
// rather than through a prefix's drive links.
std::optional<fs::path> GameFolder(const fs::path& folder) {
  if (!IsGameFolder(folder)) return std::nullopt;
  std::error_code ec;
  fs::path canonical = fs::canonical(folder, ec);
  return ec ? folder : canonical;
}

// The prefix of WINEPREFIX or ~/.wine, then those of the Wine front ends, each once.
std::vector<fs::path> PrefixesInOrder(const Environment& env) {
  std::vector<fs::path> prefixes;
  std::set<fs::path> seen;
  const auto add = [&](const fs::path& prefix) {
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(prefix, ec);
    if (seen.insert(ec ? prefix : canonical).second) prefixes.push_back(prefix);
  };
  if (const fs::path own = WinePrefixOf(env); !own.empty()) add(own);
  for (const fs::path& prefix : FrontEndPrefixes(env)) add(prefix);
  return prefixes;
}

// The folder the classic game's registry names in `prefix`.
std::optional<fs::path> InstalledIn(const fs::path& prefix, ReadingBudget& budget) {
  WineRegistry registry(prefix, budget);
  const std::string installPath = GetInstallPath(registry);
  if (installPath.empty() || installPath.size() > kLongestWindowsPath) return std::nullopt;
  const auto mapped = MapWindowsPathToWine(prefix, installPath);
  return mapped ? GameFolder(*mapped) : std::nullopt;
}

// The re-release as the EA app installs it in `prefix`.
std::optional<fs::path> EaAppFolderIn(const fs::path& prefix) {
  for (const char* programFiles : {"Program Files", "Program Files (x86)"}) {
    const fs::path folder =
        MatchComponents(prefix / "drive_c", {programFiles, kEaAppFolder, kReReleaseEaAppFolder});
    if (auto found = GameFolder(folder)) return found;
  }
  return std::nullopt;
}

}  // namespace

std::optional<fs::path> FindGameFolder(const fs::path& characters, const Environment& env,
                                       ReadingBudget budget) {
  if (const auto above = GameFolderAbove(characters)) return GameFolder(*above);
  const std::vector<fs::path> prefixes = PrefixesInOrder(env);
  for (const fs::path& prefix : prefixes) {
    if (budget.Ended()) return std::nullopt;
    if (auto found = InstalledIn(prefix, budget)) return found;
  }
  for (const fs::path& library : SteamLibraries(env)) {
    if (budget.Ended()) return std::nullopt;
    const fs::path folder =
        MatchComponents(library, {"steamapps", "common", kReReleaseSteamFolder});
    if (auto found = GameFolder(folder)) return found;
  }
  for (const fs::path& prefix : prefixes) {
    if (budget.Ended()) return std::nullopt;
    if (auto found = EaAppFolderIn(prefix)) return found;
  }
  return std::nullopt;
}

std::string SearchedGameFolderPlaces() {
  return "the folder above your characters folder, the game's registry in ~/.wine (or "
         "WINEPREFIX) or any Lutris, Bottles, PlayOnLinux or Steam prefix, The Sims Legacy "
         "Collection in any Steam library, and the EA app's folder in any of those prefixes";
}

}  // namespace quill::platform::registry
