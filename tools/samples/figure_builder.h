// SPDX-License-Identifier: GPL-3.0-or-later
// Small Sims that can be drawn: a game folder whose skeletons, meshes and textures are whole
// (a few bones, boxes for body, head and hands, textures of plain colours a test can tell
// apart), and the Sims that wear them.
#pragma once

#include <filesystem>

#include "character_builder.h"

namespace quill::testdata {

// Writes, under `root`:
//   GameData/Behavior.iff and GameData/Skins/ with the adult, child, dog and cat skeletons and
//   every skin below;
//   UserData/Characters/User00000.iff  an adult in everyday and formal wear, all installed;
//   UserData/Characters/User00001.iff  a child in everyday wear and swimwear, all installed;
//   UserData/Characters/User00002.iff  a dog;
//   UserData/Characters/User00003.iff  a cat;
//   UserData/Characters/User00004.iff  an adult whose head mesh is not installed (headless).
void WriteFigureGame(const std::filesystem::path& root);

}  // namespace quill::testdata
