#include "chunkfile/select_chunk_line.h"

#include "chunkfile/event_turn.h"

namespace quill {

std::string UpperCased(std::string text) {
  // ASCII only, whatever the locale: the words searched for are plain ASCII.
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

SearchOutcome SelectChunkLine(CharacterState& state, CharacterView& view, const std::string& word) {
  ++state.generation;
  const std::string wanted = UpperCased(word);
  for (int index = view.chunkLineCount() - 1; index >= 0; --index) {
    if (UpperCased(view.chunkLine(index)).find(wanted) != std::string::npos) {
      view.selectChunkLine(index);
      return SearchOutcome::kSelected;
    }
    if (!LetEventsRun(state, view)) return SearchOutcome::kSuperseded;
  }
  return SearchOutcome::kNoMatch;
}

}  // namespace quill
