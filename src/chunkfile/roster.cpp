#include "chunkfile/roster.h"

#include "chunkfile/file_selection.h"
#include "chunkfile/read_character_file.h"
#include "chunkfile/select_chunk_line.h"
#include "platform/files.h"

namespace quill {

void BuildRoster(CharacterState& state, CharacterView& view) {
  const std::uint64_t pass = ++state.passesStarted;
  state.markRosterPass(true);
  view.clearRoster();
  if (view.fileCount() == 0) {
    view.setNameCaption(kNameCaptionPrefix);
    view.setDescription("");
    view.clearPicture();
    state.markRosterPass(false);
    return;
  }
  const int files = view.fileCount();
  for (int index = 0; index < files; ++index) {
    const int linesBefore = view.rosterLineCount();
    state.CurrentFilePath = platform::JoinFolderAndName(view.folderPath(), view.fileName(index));
    ReadCharacterFile(state, view);
    // A pass started meanwhile (the user opened another folder) owns the roster now.
    if (state.passesStarted != pass) return;
    SelectChunkLine(state, view, "CTSS");
    if (state.passesStarted != pass) return;
    // Unreadable, nameless or not: every file gets its line, or every later name would sit
    // beside the wrong file.
    if (view.rosterLineCount() == linesBefore) view.appendRosterLine(kBadFile);
  }
  state.markRosterPass(false);
  if (view.rosterLineCount() > 0) view.selectRosterLine(0);
}

void LoadRosterChoice(CharacterView& view) {
  view.markSpeechLargeOption();
  view.selectFile(-1);
  view.selectFile(view.selectedRosterLine());
}

}  // namespace quill
