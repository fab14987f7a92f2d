// SPDX-License-Identifier: GPL-3.0-or-later
#include "chunkfile/roster.h"

#include "chunkfile/event_turn.h"
#include "chunkfile/file_selection.h"
#include "platform/files.h"

namespace quill {

namespace {

// One roster line per file. False when something started meanwhile (the user opened another
// folder) has superseded the pass and owns the roster now.
bool ListEveryFile(CharacterState& state, CharacterView& view, const RosterReader& read) {
  const int files = view.fileCount();
  // Its own storage, reused from file to file: the loaded file stays whole for the chunk list.
  Bytes image;
  for (int index = 0; index < files; ++index) {
    const std::filesystem::path file =
        platform::JoinFolderAndName(view.folderPath(), view.fileName(index));
    // Unreadable, nameless or not: every file gets its line, or every later name would sit
    // beside the wrong file.
    const RosterLine line =
        platform::ReadWholeFile(file, image) ? read(image) : RosterLine{kBadFile, std::nullopt};
    view.appendRosterLine(line.name);
    if (line.guid) state.RosterNames.emplace(*line.guid, line.name);
    if (!LetEventsRun(state, view)) return false;
  }
  return true;
}

}  // namespace

void BuildRoster(CharacterState& state, CharacterView& view, const RosterReader& read) {
  // Even an empty folder supersedes a read under way, whose Sim must not stay on view.
  ++state.generation;
  state.markRosterPass(true);
  view.clearRoster();
  state.RosterNames.clear();
  if (view.fileCount() == 0) {
    ShowEmptySummary(view);
    state.markRosterPass(false);
    return;
  }
  const bool finished = ListEveryFile(state, view, read);
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
