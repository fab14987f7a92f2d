// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chunkfile/character_state.h"
#include "chunkfile/character_view.h"

namespace quill {

// Reads the file at state.CurrentFilePath into state.FileImage, its chunks into state.ChunkTable
// and one line per chunk into the view's chunk list. Failures end the read quietly; the caller
// learns what was read from the chunk list alone. Returns false when something started during
// the read superseded it.
bool ReadCharacterFile(CharacterState& state, CharacterView& view);

}  // namespace quill
