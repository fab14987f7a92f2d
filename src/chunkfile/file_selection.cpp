#include "chunkfile/file_selection.h"

#include "chunkfile/read_character_file.h"
#include "chunkfile/select_chunk_line.h"
#include "platform/files.h"

namespace quill {

void LoadChosenFile(CharacterState& state, CharacterView& view) {
  view.markSpeechLargeOption();
  const int chosen = view.selectedFile();
  if (chosen < 0) return;
  state.CurrentFilePath = platform::JoinFolderAndName(view.folderPath(), view.fileName(chosen));
  ReadCharacterFile(state, view);
  const std::uint64_t read = state.readsStarted;
  if (view.chunkLineCount() == 0) {
    view.setNameCaption(kNameCaptionPrefix);
    view.setDescription("");
    view.clearPicture();
    return;
  }
  SelectChunkLine(state, view, "CTSS");
  if (state.readsStarted != read) return;
  SelectChunkLine(state, view, "Speech_large");
}

}  // namespace quill
