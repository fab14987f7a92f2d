// SPDX-License-Identifier: GPL-3.0-or-later
// Small Sims that can be drawn: a game folder whose skeletons, meshes and textures are whole
// (a few bones, boxes for body, head and hands, textures of plain colours a test can tell
// apart), and the Sims that wear them.
#pragma once

#include <filesystem>

#include "character_builder.h"
#include "skin_builder.h"

namespace quill::testdata {

// The figures' skeleton of a name the game gives one: "adult", "child", "dog" or "kat".
SkeletonSpec FigureSkeleton(const std::string& name);

// A figure's mesh for a skin on `bone` of `skeleton`: a person's body (PELVIS), head (HEAD) or
// hand (L_HAND, R_HAND), or a pet's body (PELVIS of "dog" or "kat"), named `name` with the
// default texture `texture`, sized for the skeleton.
MeshSpec FigureMesh(const std::string& name, const std::string& texture, const std::string& bone,
                    const std::string& skeleton);

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
