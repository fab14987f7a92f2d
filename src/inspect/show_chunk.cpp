// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/show_chunk.h"

#include "chunkfile/chunk_walk.h"
#include "chunkfile/file_selection.h"
#include "inspect/bitmap_chunk.h"
#include "inspect/name_and_description.h"
#include "inspect/string_table.h"

namespace quill {

namespace {

void ShowNameAndDescription(const ChunkRecord& record, const InspectorContext& context) {
  const NameAndDescription found = ExtractNameAndDescription(BodyOf(record), context.languageSlot);
  if (!found.name) return;
  context.view.setNameCaption(kNameCaptionPrefix + *found.name, *found.name);
  if (!found.description) return;
  context.view.setDescription(*found.description);
  if (context.state.rosterPassRunning()) context.view.appendRosterLine(*found.name);
}

}  // namespace

void ShowChunk(int row, const InspectorContext& context) {
  try {
    if (row < 0 || row > kLastChunkRow) return;
    const ChunkRecord& record = context.state.ChunkTable[row];
    bool handled = false;
    if (record.ChunkType == "STR#") handled = ClaimStringTable(record);
    if (record.ChunkType == "BMP_")
      handled = ShowBitmapChunk(record, context.scratchFolder, context.view);
    if (record.ChunkType == "rsmp") {
      DecodeResourceMap(row, context.state.ChunkTable, context.resourceMap);
      return;
    }
    if (!handled) ShowNameAndDescription(record, context);
  } catch (const ChunkFailure&) {
    // Bytes the inspector cannot use simply are not shown. Anything else thrown is a fault of
    // the program and is let through, so that tests, sanitizers and fuzzers see it.
  }
}

}  // namespace quill
