// SPDX-License-Identifier: GPL-3.0-or-later
// A family export (".FAM"): the file the game writes when a family moves out, and the one a
// player drops into UserData/Import to move a downloaded family in. Plain functions over bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/body_strings.h"
#include "inspect/neighbourhood.h"
#include "inspect/sim_profile.h"

namespace quill {

inline constexpr int kMembersInExportIndex = 8;

// The "EXPi" chunk: which family the export holds and its members' neighbour ids in the family's
// order, empty places (id 0) left out.
struct ExportIndex {
  int familyId = 0;
  std::vector<int> members;
};

// An "EXPi" body; nothing when it is too short or lacks its "iPXE" mark.
std::optional<ExportIndex> ReadExportIndex(std::string_view body);

struct FamilyMember {
  int neighbourId = 0;
  // In the player's language; the record's name when no table has one, else kUnnamedSim. Both
  // shown by platform::ShownName and platform::ShownDescription.
  std::string name;
  std::string biography;              // the same language as the name
  std::optional<std::uint32_t> guid;  // from the member's record, when the export holds it
  std::string thumbnail;              // the "BMP_" body, a bitmap file; empty when absent
  std::optional<BodyLooks> looks;
};

struct FamilyExport {
  std::optional<std::string> name;
  std::optional<FamilyRecord> family;  // cash, house; absent when its "FAMI" is missing or broken
  std::vector<FamilyMember> members;   // in the family's order
  // The members' records and the family as the export stores them, for each member's card.
  Neighbourhood records;
  // Empty when the export was read whole; otherwise one line saying what is missing and why.
  std::string problem;
  // The pictures of the family's house, bitmap files from the export's "BMP_" chunks 512, 513,
  // 1024 and 1025, those it holds in that order.
  std::vector<std::string> housePictures;
};

// A whole export's bytes. Members are found through "EXPi", else through the family's GUIDs and
// the records that carry them. Nothing when the bytes name neither members nor a family: they are
// no family export.
std::optional<FamilyExport> ReadFamilyExport(std::string_view image, int playerSlot);

// The file `path`, read whole when it is no larger than an export can be; nothing when it cannot
// be read or is no family export.
std::optional<FamilyExport> ReadFamilyExportFile(const std::filesystem::path& path, int playerSlot);

// The members' names by GUID, else the names their records carry: for the friends and the family
// on each member's card. `family` must outlive the function.
NameOfSim MemberNames(const FamilyExport& family);

// Whether a file's name says it is a family export (".fam", any case).
bool HasFamilyExportName(const std::filesystem::path& path);

// The family exports of the neighbourhood whose Characters folder is `charactersFolder`: the
// ".fam" files of its "Export" folder, where the game writes a family that moves out, then of its
// "Import" folder, where a player puts a downloaded one (any case), each in name order.
std::vector<std::filesystem::path> FamilyExportsBeside(
    const std::filesystem::path& charactersFolder);

}  // namespace quill
