#pragma once

#include <string>

#include "chunkfile/character_state.h"
#include "chunkfile/character_view.h"

namespace quill {

// The text with its ASCII letters in upper case; every other byte as it was.
std::string UpperCased(std::string text);

// Selects the line nearest the end of the chunk list that contains `word` (any case), which
// inspects its chunk; no match changes nothing. Returns whether a line matched.
bool SelectChunkLine(CharacterState& state, CharacterView& view, const std::string& word);

}  // namespace quill
