// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/family_listing.h"

#include "command_line/json_listing.h"

namespace quill {

std::string FormatFamily(const std::string& file, const FamilyExport& family) {
  std::string text;
  int number = 0;
  for (const FamilyMember& member : family.members) {
    text += file + '\t' + std::to_string(++number) + '\t' + member.name + '\n';
  }
  return text;
}

std::string FormatFamilyJson(const std::string& file, const FamilyExport& family,
                             content::SkinsCheck* skins) {
  Profiles profiles(family.records, MemberNames(family));
  std::string text;
  int number = 0;
  for (const FamilyMember& member : family.members) {
    text += SimJson(file, member.name, profiles.of(member.guid, member.looks),
                    ",\"member\":" + std::to_string(++number), skins);
  }
  return text;
}

}  // namespace quill
