// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up folder on Windows: the game's folder, else the re-release's saves.
#include <system_error>

#include "platform/registry/game_folder.h"
#include "platform/registry/game_language.h"
#include "platform/registry/install_folder.h"
#include "platform/registry/registry.h"

namespace quill::platform::registry {

namespace fs = std::filesystem;

namespace {

// The re-release's own characters folders are templates it ships, not the player's Sims.
bool IsPlayersFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec) && !LiesInReReleaseInstall(path);
}

}  // namespace

// Windows answers from its own registry: there are no registry files to read.
std::optional<FoundFolder> ChooseStartupFolder(const std::string& gameDataFolder,
                                               const Environment& env, ReadingBudget) {
  // Either folder is the game's on this system, so its language is the system registry's.
  const auto found = [](fs::path folder) {
    return FoundFolder(std::move(folder), ReadGameLanguage(*MakeSystemRegistry()));
  };
  // The value ends in the one backslash GetGameDataFolder adds, if it did not already.
  if (gameDataFolder != kGameDataNotFound && gameDataFolder.size() <= kLongestWindowsPath + 1) {
    const fs::path characters = AnsiPath(gameDataFolder + "UserData\\Characters");
    if (IsPlayersFolder(characters)) return found(characters);
  }
  if (!env.userProfile.empty()) {
    const fs::path saves = env.userProfile / "Saved Games" / "Electronic Arts" / "The Sims 25" /
                           "UserData" / "Characters";
    if (IsPlayersFolder(saves)) return found(saves);
  }
  return std::nullopt;
}

std::optional<FoundFolder> ChooseStartupFolder(const std::string& gameDataFolder,
                                               std::function<bool()>) {
  return ChooseStartupFolder(gameDataFolder, CurrentEnvironment());
}

std::string SearchedPlaces() {
  return "the Windows registry or your Saved Games folder";
}

}  // namespace quill::platform::registry
