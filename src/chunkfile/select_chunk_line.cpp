#include "chunkfile/select_chunk_line.h"

#include <algorithm>
#include <cctype>

namespace quill {

namespace {

std::string UpperCased(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

}  // namespace

bool ContainsIgnoringCase(const std::string& line, const std::string& word) {
  return UpperCased(line).find(UpperCased(word)) != std::string::npos;
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
