// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/listing.h"

#include "command_line/family_listing.h"
#include "command_line/json_listing.h"
#include "command_line/roster_listing.h"
#include "inspect/neighbourhood_files.h"
#include "inspect/path_kind.h"
#include "platform/files.h"
#include "platform/text.h"

namespace quill {

namespace {

Answer Refused(const std::string& what, const std::filesystem::path& path) {
  return {{},
          "quillmere: cannot read the " + what + " " +
              platform::VisibleText(platform::DisplayName(path)) + "\n",
          2};
}

Answer ListFamily(const std::filesystem::path& path, const FamilyExport& family, bool json) {
  const std::string name = ShownFileName(path.filename());
  Answer answer;
  answer.out = json ? FormatFamilyJson(name, family) : FormatFamily(name, family);
  if (!family.problem.empty()) answer.err = "quillmere: " + name + ": " + family.problem + "\n";
  return answer;
}

}  // namespace

Answer ListPath(const std::filesystem::path& path, int languageSlot, bool json) {
  PathVerdict verdict = DecidePath(path, languageSlot);
  if (verdict.kind == PathKind::FamilyExport) return ListFamily(path, *verdict.family, json);
  if (verdict.kind == PathKind::BadFamilyExport) return Refused("family export", path);
  const std::optional<std::vector<RosterEntry>> roster = ListRoster(path, languageSlot);
  if (!roster) return Refused("folder", path);
  if (!json) return {FormatRoster(*roster), {}, 0};
  NeighbourhoodFiles neighbourhoods;
  const std::filesystem::path folder = platform::ResolveFolder(path).value_or(path);
  return {FormatRosterJson(*roster, neighbourhoods.of(folder, languageSlot)), {}, 0};
}

}  // namespace quill
