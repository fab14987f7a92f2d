// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/listing.h"

#include <variant>

#include "command_line/family_listing.h"
#include "command_line/json_listing.h"
#include "command_line/roster_listing.h"
#include "content/game_skins.h"
#include "inspect/neighbourhood_files.h"
#include "inspect/path_kind.h"
#include "inspect/roster_entry.h"
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

Answer ListFamily(const std::filesystem::path& path, const FamilyExport& family, bool json,
                  content::GameSkins* skins) {
  const std::string name = ShownFileName(path.filename());
  Answer answer;
  content::SkinsCheck* check =
      json && skins != nullptr ? skins->ForSimsIn(SimsFolderOf(path, false)) : nullptr;
  answer.out = json ? FormatFamilyJson(name, family, check) : FormatFamily(name, family);
  if (!family.problem.empty()) answer.err = "quillmere: " + name + ": " + family.problem + "\n";
  return answer;
}

}  // namespace

std::filesystem::path SimsFolderOf(const std::filesystem::path& path, bool folder) {
  const std::filesystem::path sims = folder ? path : path.parent_path();
  return platform::ResolveFolder(sims.empty() ? "." : sims).value_or(sims);
}

Answer ListPath(const std::filesystem::path& path, int languageSlot, bool json,
                content::GameSkins* skins) {
  PathVerdict verdict = DecidePath(path, languageSlot);
  if (verdict.kind == PathKind::FamilyExport) return ListFamily(path, *verdict.family, json, skins);
  if (verdict.kind == PathKind::BadFamilyExport) return Refused("family export", path);
  const std::optional<std::vector<RosterEntry>> roster = ListRoster(path, languageSlot);
  if (!roster) return Refused("folder", path);
  if (!json) return {FormatRoster(*roster), {}, 0};
  NeighbourhoodFiles neighbourhoods;
  const std::filesystem::path folder = platform::ResolveFolder(path).value_or(path);
  content::SkinsCheck* check = skins != nullptr ? skins->ForSimsIn(folder) : nullptr;
  return {FormatRosterJson(*roster, neighbourhoods.of(folder, languageSlot), check), {}, 0};
}

namespace {

struct SimToCheck {
  std::string file;  // shown
  std::string name;  // shown
  std::optional<BodyLooks> looks;
};

// The Sims of a folder, a character file or a family export; nothing, with the answer that
// refuses it, when the path cannot be read.
std::variant<std::vector<SimToCheck>, Answer> SimsAt(const std::filesystem::path& path,
                                                     int languageSlot) {
  PathVerdict verdict = DecidePath(path, languageSlot);
  std::vector<SimToCheck> sims;
  switch (verdict.kind) {
    case PathKind::FamilyExport:
      for (FamilyMember& member : verdict.family->members)
        sims.push_back({ShownFileName(path.filename()), member.name, std::move(member.looks)});
      return sims;
    case PathKind::BadFamilyExport:
      return Refused("family export", path);
    case PathKind::CharacterFile:
    case PathKind::NotACharacterFile: {
      const std::optional<std::string> image = platform::ReadWholeFile(path);
      if (!image) return Refused("character file", path);
      RosterEntry entry = ReadRosterEntry(*image, languageSlot);
      sims.push_back({ShownFileName(path.filename()), entry.name, std::move(entry.looks)});
      return sims;
    }
    case PathKind::Folder:
    case PathKind::Missing:
      break;
  }
  std::optional<std::vector<RosterEntry>> roster = ListRoster(path, languageSlot);
  if (!roster) return Refused("folder", path);
  for (RosterEntry& entry : *roster)
    sims.push_back({ShownFileName(entry.file), entry.name, std::move(entry.looks)});
  return sims;
}

}  // namespace

Answer CheckPath(const std::filesystem::path& path, int languageSlot, content::GameSkins& skins,
                 const std::string& searched) {
  std::variant<std::vector<SimToCheck>, Answer> found = SimsAt(path, languageSlot);
  if (Answer* refused = std::get_if<Answer>(&found)) return std::move(*refused);
  const std::vector<SimToCheck>& sims = std::get<std::vector<SimToCheck>>(found);
  std::error_code ec;
  content::SkinsCheck* check =
      skins.ForSimsIn(SimsFolderOf(path, std::filesystem::is_directory(path, ec)));
  if (check == nullptr) return {{}, "quillmere: " + content::NoGameFolderText(searched) + "\n", 2};
  Answer answer;
  const std::string game =
      platform::VisibleText(platform::DisplayName(check->index().gameFolder()));
  for (const std::string& note : check->index().Notes())
    answer.err += "quillmere: " + game + ": " + note + "\n";
  int checked = 0;
  int wrong = 0;
  for (const SimToCheck& sim : sims) {
    if (!sim.looks) continue;
    ++checked;
    const content::LooksCheck looks = check->Check(*sim.looks);
    if (!looks.right) ++wrong;
    for (const content::PartCheck& part : looks.parts) {
      for (const content::Problem& problem : part.problems) {
        answer.out += sim.file + '\t' + sim.name + '\t' + part.part + '\t' + problem.code + ": " +
                      problem.text + '\n';
      }
    }
  }
  answer.err += "quillmere: " + std::to_string(checked) + (checked == 1 ? " Sim" : " Sims") +
                " checked against the game in " + game + ": " +
                (wrong == 0 ? std::string("all would look right")
                            : std::to_string(wrong) + " would not look right") +
                "\n";
  answer.status = wrong == 0 ? 0 : 1;
  return answer;
}

}  // namespace quill
