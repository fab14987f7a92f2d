// SPDX-License-Identifier: GPL-3.0-or-later
// The game's install folder on Windows: the registry's, else the re-release in Steam's libraries
// or the EA app's folder.
#include <set>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/registry/install_folder.h"
#include "platform/registry/steam_libraries.h"
#include "platform/registry/wine_path.h"

namespace quill::platform::registry {

namespace fs = std::filesystem;

namespace {

// `folder` when it is the game's, spelt link-free and absolute.
std::optional<fs::path> GameFolder(const fs::path& folder) {
  if (folder.empty() || !IsGameFolder(folder)) return std::nullopt;
  std::error_code ec;
  fs::path canonical = fs::canonical(folder, ec);
  return ec ? folder : canonical;
}

// Steam's own folder in Program Files (x86), then the libraries its list names (in UTF-8).
std::vector<fs::path> WindowsSteamLibraries(const Environment& env) {
  std::vector<fs::path> libraries;
  if (env.programFilesX86.empty()) return libraries;
  const fs::path steam = env.programFilesX86 / "Steam";
  libraries.push_back(steam);
  const auto list = ReadWholeFile(steam / "steamapps" / "libraryfolders.vdf", kLargestLibraryList);
  if (!list) return libraries;
  std::set<fs::path> seen = {steam};
  for (const std::string& listed : ParseSteamLibraryList(*list)) {
    fs::path library(std::u8string(listed.begin(), listed.end()));
    if (seen.insert(library).second) libraries.push_back(std::move(library));
  }
  return libraries;
}

}  // namespace

// Windows answers from its own registry: there are no registry files to read, so the budget
// only ends the search.
std::optional<fs::path> FindGameFolder(const fs::path& characters, const Environment& env,
                                       ReadingBudget budget) {
  if (const auto above = GameFolderAbove(characters)) return GameFolder(*above);
  const std::string installPath = GetInstallPath(*MakeSystemRegistry());
  if (!installPath.empty() && installPath.size() <= kLongestWindowsPath) {
    if (auto found = GameFolder(AnsiPath(installPath))) return found;
  }
  for (const fs::path& library : WindowsSteamLibraries(env)) {
    if (budget.Ended()) return std::nullopt;
    if (auto found = GameFolder(library / "steamapps" / "common" / kReReleaseSteamFolder))
      return found;
  }
  for (const fs::path& programFiles : {env.programFiles, env.programFilesX86}) {
    if (programFiles.empty()) continue;
    if (auto found = GameFolder(programFiles / kEaAppFolder / kReReleaseEaAppFolder)) return found;
  }
  return std::nullopt;
}

std::string SearchedGameFolderPlaces() {
  return "the folder above your characters folder, the Windows registry, The Sims Legacy "
         "Collection in Steam's libraries, and the EA app's folder in Program Files";
}

}  // namespace quill::platform::registry
