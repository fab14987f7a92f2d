// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/roster_listing.h"

#include "chunkfile/name_order.h"
#include "chunkfile/roster.h"
#include "platform/files.h"

namespace quill {

namespace fs = std::filesystem;

std::optional<std::vector<RosterEntry>> ListRoster(const fs::path& folder, int languageSlot) {
  const std::optional<fs::path> resolved = platform::ResolveFolder(folder);
  if (!resolved) return std::nullopt;
  const std::optional<std::vector<fs::path>> files = ListCharacterFiles(*resolved);
  if (!files) return std::nullopt;
  std::vector<RosterEntry> roster;
  roster.reserve(files->size());
  std::string image;  // its storage kept from file to file
  for (const fs::path& file : *files) {
    RosterEntry entry = platform::ReadWholeFile(*resolved / file, image)
                            ? ReadRosterEntry(image, languageSlot)
                            : RosterEntry{{}, kBadFile, std::nullopt, std::nullopt};
    entry.file = file;
    roster.push_back(std::move(entry));
  }
  return roster;
}

std::string FormatRoster(const std::vector<RosterEntry>& roster) {
  std::string text;
  for (const RosterEntry& entry : roster) {
    text += ShownFileName(entry.file) + '\t' + entry.name + '\n';
  }
  return text;
}

}  // namespace quill
