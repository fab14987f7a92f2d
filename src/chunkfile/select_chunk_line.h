// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "chunkfile/character_state.h"
#include "chunkfile/character_view.h"

namespace quill {

enum class SearchOutcome { kSelected, kNoMatch, kSuperseded };

// Selects the line nearest the end of the chunk list that contains `word` (any case), which
// inspects its chunk; no match changes nothing. Stops when something started during the search
// supersedes it.
SearchOutcome SelectChunkLine(CharacterState& state, CharacterView& view, const std::string& word);

}  // namespace quill
