#pragma once

#include "chunkfile/character_state.h"
#include "chunkfile/character_view.h"

namespace quill {

inline constexpr const char* kBadFile = "Bad File";

// Rebuilds the roster for the file list's folder: one line per file, the Sim's name or
// "Bad File", then loads the first file.
void BuildRoster(CharacterState& state, CharacterView& view);

// What choosing a roster line does: load the file at the same position.
void LoadRosterChoice(CharacterView& view);

}  // namespace quill
