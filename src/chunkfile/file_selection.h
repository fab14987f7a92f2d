// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chunkfile/character_state.h"
#include "chunkfile/character_view.h"

namespace quill {

inline constexpr const char* kNameCaptionPrefix = "Name: ";

// The summary of a file that yields no chunk: the bare caption, no description, no picture.
void ShowEmptySummary(CharacterView& view);

// What choosing a file in the file list does: read it and show its name, description and large
// speech portrait, or an empty summary when it yields no chunk.
void LoadChosenFile(CharacterState& state, CharacterView& view);

}  // namespace quill
