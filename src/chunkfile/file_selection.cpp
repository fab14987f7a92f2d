// SPDX-License-Identifier: GPL-3.0-or-later
#include "chunkfile/file_selection.h"

#include "chunkfile/read_character_file.h"
#include "chunkfile/select_chunk_line.h"
#include "platform/files.h"

namespace quill {

void ShowEmptySummary(CharacterView& view) {
  view.setNameCaption(kNameCaptionPrefix, "");
  view.setDescription("");
  view.clearPicture();
}

void LoadChosenFile(CharacterState& state, CharacterView& view) {
  view.markSpeechLargeOption();
  const int chosen = view.selectedFile();
  if (chosen < 0) return;
  state.CurrentFilePath = platform::JoinFolderAndName(view.folderPath(), view.fileName(chosen));
  if (!ReadCharacterFile(state, view)) return;
  if (view.chunkLineCount() == 0) {
    ShowEmptySummary(view);
    return;
  }
  if (SelectChunkLine(state, view, "CTSS") == SearchOutcome::kSuperseded) return;
  SelectChunkLine(state, view, "Speech_large");
}

}  // namespace quill
