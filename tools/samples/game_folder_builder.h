// SPDX-License-Identifier: GPL-3.0-or-later
// A built game folder: GameData/Behavior.iff and the skins the saved game's Sims wear, each Sim
// wearing one case the skins check must tell apart (all found, a subfolder install, an archive
// of binary suits and meshes, a 24-bit texture, a texture of the wrong size, a text mesh with a
// bad first line, a text suit inside an archive, a skin with light textures only, two different
// copies of one texture, a suit that is nowhere).
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "character_builder.h"

namespace quill::testdata {

// Body strings 15 on, from the strings at the given places (17 to 22 hands, 27 to 34 outfits).
std::vector<std::string> OutfitsAt(const std::map<int, std::string>& strings);

// What each Sim of the saved game (WriteSavedGame) wears, by its character file's name. The
// default LooksSpec, which every other sample Sim wears, is installed whole.
LooksSpec SavedSimLooks(const std::string& file);

// Writes the game's folder at `root`, where WriteSavedGame writes the saved game.
void WriteSampleGameFolder(const std::filesystem::path& root);

}  // namespace quill::testdata
