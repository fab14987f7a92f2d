// SPDX-License-Identifier: GPL-3.0-or-later
#include "chunkfile/select_chunk_line.h"

#include "chunkfile/event_turn.h"
#include "platform/text.h"

namespace quill {

SearchOutcome SelectChunkLine(CharacterState& state, CharacterView& view, const std::string& word) {
  ++state.generation;
  const std::string wanted = platform::AsciiLowerCase(word);
  for (int index = view.chunkLineCount() - 1; index >= 0; --index) {
    if (platform::AsciiLowerCase(view.chunkLine(index)).find(wanted) != std::string::npos) {
      view.selectChunkLine(index);
      return SearchOutcome::kSelected;
    }
    if (!LetEventsRun(state, view)) return SearchOutcome::kSuperseded;
  }
  return SearchOutcome::kNoMatch;
}

}  // namespace quill
