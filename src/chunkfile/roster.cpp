#include "chunkfile/roster.h"

#include "chunkfile/file_selection.h"
#include "chunkfile/read_character_file.h"
#include "chunkfile/select_chunk_line.h"
#include "chunkfile/sim_guid.h"
#include "platform/files.h"

namespace quill {

namespace {

// One roster line per file. False when something started meanwhile (the user opened another
// folder) has superseded the pass and owns the roster now.
bool ListEveryFile(CharacterState& state, CharacterView& view) {
  const int files = view.fileCount();
  for (int index = 0; index < files; ++index) {
    const int linesBefore = view.rosterLineCount();
    state.CurrentFilePath = platform::JoinFolderAndName(view.folderPath(), view.fileName(index));
    if (!ReadCharacterFile(state, view)) return false;
    state.RosterGuids.push_back(SimGuid(state.ChunkTable, view.chunkLineCount()));
    if (SelectChunkLine(state, view, "CTSS") == SearchOutcome::kSuperseded) return false;
    // Unreadable, nameless or not: every file gets its line, or every later name would sit
    // beside the wrong file.
    if (view.rosterLineCount() == linesBefore) view.appendRosterLine(kBadFile);
  }
  return true;
}

}  // namespace

void BuildRoster(CharacterState& state, CharacterView& view) {
  // Even an empty folder supersedes a read under way, whose Sim must not stay on view.
  ++state.generation;
  state.markRosterPass(true);
  view.clearRoster();
  state.RosterGuids.clear();
  if (view.fileCount() == 0) {
    ShowEmptySummary(view);
    state.markRosterPass(false);
    return;
  }
  const bool finished = ListEveryFile(state, view);
  // Whatever superseded the pass has run to its end by now, so the flag is free again.
  state.markRosterPass(false);
  if (finished && view.rosterLineCount() > 0) view.selectRosterLine(0);
}

void LoadRosterChoice(CharacterView& view) {
  view.markSpeechLargeOption();
  view.selectFile(-1);
  view.selectFile(view.selectedRosterLine());
}

}  // namespace quill
