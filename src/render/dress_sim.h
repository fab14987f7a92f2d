// SPDX-License-Identifier: GPL-3.0-or-later
// A Sim dressed as the game would dress it in one outfit, from the files the skins check finds:
// each skin's mesh posed on the Sim's skeleton in the rest pose, with its texture. What the game
// would not find or would not show is left out, as the game leaves it out: a Sim without its head
// mesh is drawn headless, one whose body is a text mesh naming a file is drawn without it.
#pragma once

#include <QImage>
#include <vector>

#include "content/skins_check.h"
#include "render/draw_sim.h"

namespace quill::render {

struct DressedSim {
  std::vector<PosedMesh> meshes;
  std::vector<QImage> textures;  // one per mesh; null where none could be loaded

  // What DrawSim draws; it points into this Sim, which must outlive it.
  std::vector<DrawnPart> parts() const;
};

// `outfit` is the body string that dresses the body: 1 everyday, 27 costume, 30 formal,
// 31 swimwear, 32 pyjamas, 33 winter, 34 high fashion. The head (string 2) is always worn, and
// the open hands (of strings 17 to 22; the costume's own, 28 and 29). Nothing is dressed when the
// skeleton is not installed or cannot be posed.
DressedSim DressSim(content::SkinsCheck& skins, const BodyLooks& looks, int outfit);

}  // namespace quill::render
