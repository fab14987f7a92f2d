// SPDX-License-Identifier: GPL-3.0-or-later
// The skins check for the game the shown Sims belong to. The game's folder is the one the player
// named for this run, else the one found for the Sims' folder; each search is made once a run,
// and each game folder's index is kept for the run.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "content/skins_check.h"

namespace quill::content {

class GameSkins {
 public:
  // Finds the game's folder for the Sims of a folder; nothing when there is none.
  using FindGame =
      std::function<std::optional<std::filesystem::path>(const std::filesystem::path& sims)>;

  GameSkins(FindGame find, std::optional<std::filesystem::path> named);

  // The check for Sims kept in `sims` (a folder), its index refreshed; nothing when no game
  // folder is known for them.
  SkinsCheck* ForSimsIn(const std::filesystem::path& sims);

 private:
  FindGame find_;
  std::optional<std::filesystem::path> named_;
  std::map<std::filesystem::path, std::optional<std::filesystem::path>> found_;
  std::map<std::filesystem::path, std::unique_ptr<SkinsCheck>> checks_;
};

// What a card or a check says when no game folder is known: where the search looked, and how to
// name the folder.
std::string NoGameFolderText(const std::string& searched);

}  // namespace quill::content
