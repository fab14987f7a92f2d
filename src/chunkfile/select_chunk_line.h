#pragma once

#include <string>

#include "chunkfile/character_state.h"
#include "chunkfile/character_view.h"

namespace quill {

// Whether `word` occurs in `line`, letters compared without regard to case.
bool ContainsIgnoringCase(const std::string& line, const std::string& word);

// Selects the line nearest the end of the chunk list that contains `word` (any case), which
// inspects its chunk; no match changes nothing. Returns whether a line matched.
bool SelectChunkLine(CharacterState& state, CharacterView& view, const std::string& word);

}  // namespace quill
