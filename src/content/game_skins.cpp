// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/game_skins.h"

#include <utility>

namespace quill::content {

GameSkins::GameSkins(FindGame find, std::optional<std::filesystem::path> named)
    : find_(std::move(find)), named_(std::move(named)) {}

SkinsCheck* GameSkins::ForSimsIn(const std::filesystem::path& sims) {
  std::optional<std::filesystem::path> game = named_;
  if (!game) {
    auto found = found_.find(sims);
    if (found == found_.end()) found = found_.emplace(sims, find_(sims)).first;
    game = found->second;
  }
  if (!game) return nullptr;
  std::unique_ptr<SkinsCheck>& check = checks_[*game];
  if (!check) check = std::make_unique<SkinsCheck>(*game);
  check->Refresh();
  return check.get();
}

std::string NoGameFolderText(const std::string& searched) {
  return "No game folder was found, so the skins cannot be checked (looked in " + searched +
         "). Name it with --game FOLDER: the folder that holds GameData/Behavior.iff.";
}

}  // namespace quill::content
