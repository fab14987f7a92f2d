#include "chunkfile/select_chunk_line.h"

namespace quill {

std::string UpperCased(std::string text) {
  // ASCII only, whatever the locale: the words searched for are plain ASCII.
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool SelectChunkLine(CharacterState& state, CharacterView& view, const std::string& word) {
  const std::string wanted = UpperCased(word);
  const std::uint64_t read = state.readsStarted;
  for (int index = view.chunkLineCount() - 1; index >= 0; --index) {
    if (UpperCased(view.chunkLine(index)).find(wanted) != std::string::npos) {
      view.selectChunkLine(index);
      return true;
    }
    view.letEventsRun();
    // A file read meanwhile has replaced the list this search was walking.
    if (state.readsStarted != read) return false;
  }
  return false;
}

}  // namespace quill
