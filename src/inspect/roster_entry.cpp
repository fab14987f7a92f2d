// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/roster_entry.h"

#include <vector>

#include "chunkfile/chunk_walk.h"
#include "chunkfile/roster.h"
#include "chunkfile/sim_guid.h"
#include "inspect/name_and_description.h"
#include "inspect/string_table.h"
#include "platform/files.h"
#include "platform/text.h"

namespace quill {

namespace {

constexpr std::string_view kNameChunkWord = "ctss";

// What inspecting the chunk would add to the roster: its name, when the chunk is one the
// inspector searches for a name and holds a name and a description.
std::optional<std::string> RosterNameOf(const ChunkRecord& record, int languageSlot) {
  try {
    // Pictures and the resource map are shown, never searched; so is a claimed string table.
    if (record.ChunkType == "BMP_" || record.ChunkType == "rsmp") return std::nullopt;
    if (record.ChunkType == "STR#" && ClaimStringTable(record)) return std::nullopt;
    NameAndDescription found = ExtractNameAndDescription(BodyOf(record), languageSlot);
    if (!found.name || !found.description) return std::nullopt;
    return std::move(found.name);
  } catch (const ChunkFailure&) {
    return std::nullopt;
  }
}

}  // namespace

RosterEntry ReadRosterEntry(std::string_view image, int languageSlot) {
  RosterEntry entry;
  std::optional<ChunkRecord> named;
  int row = 0;
  bool objectSeen = false;
  VisitChunks(image, [&](ChunkRecord& record) {
    // The first object definition holds the GUID, or none when it is cut short.
    if (!objectSeen && IsSimObject(record)) {
      objectSeen = true;
      entry.guid = GuidOfObject(record);
    }
    if (platform::AsciiLowerCase(FormatChunkLine(++row, record)).find(kNameChunkWord) !=
        std::string::npos) {
      named = record;
    }
    return true;
  });
  std::optional<std::string> name;
  if (named) name = RosterNameOf(*named, languageSlot);
  entry.name = name ? std::move(*name) : std::string(kBadFile);
  entry.looks = BodyLooksOf(image);
  return entry;
}

std::string ShownFileName(const std::filesystem::path& file) {
  return platform::ShownName(platform::DisplayName(file));
}

}  // namespace quill
