// SPDX-License-Identifier: GPL-3.0-or-later
// The chunk inspector: what selecting a chunk line shows.
#pragma once

#include <filesystem>

#include "chunkfile/character_state.h"
#include "inspect/inspector_view.h"
#include "inspect/resource_map.h"

namespace quill {

struct InspectorContext {
  const CharacterState& state;
  ResourceMapTable& resourceMap;
  const std::filesystem::path& scratchFolder;
  InspectorView& view;
  // The game's language slot of the player's language, chosen once at start-up.
  int languageSlot;
};

// Shows chunk-table row `row` by its type: pictures for "BMP_", the resource map decoded for
// "rsmp", the Sim's name and description for the rest unless a handler claimed the chunk.
// Bytes it cannot use (a ChunkFailure) end it quietly, keeping what it had already changed.
void ShowChunk(int row, const InspectorContext& context);

}  // namespace quill
