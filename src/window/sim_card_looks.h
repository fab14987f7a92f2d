// SPDX-License-Identifier: GPL-3.0-or-later
// What a Sim wears, on its card: the suits and textures a player needs among the game's skin
// files to see the Sim as it was made.
#pragma once

#include "window/looks_verdict.h"

#include <QGroupBox>

#include "inspect/body_strings.h"

namespace quill {

// "Looks": body and head as mesh and texture, the skin tone and any extra outfits; under each
// part, the files the game would load (✓) or what is wrong (✗), and a summary line above them.
QGroupBox* LooksBox(const BodyLooks& looks, const LooksVerdict& verdict, QWidget* parent);

}  // namespace quill
