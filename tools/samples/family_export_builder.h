// SPDX-License-Identifier: GPL-3.0-or-later
// Writes family exports (".FAM"): the members' chunks, the export index, the family and the
// members' records, in the layouts the game has written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "character_builder.h"
#include "neighbourhood_builder.h"

namespace quill::testdata {

// An "EXPi" body: u32 0, u32 0x3F, "iPXE", the family's id, eight member places (0: empty).
Bytes ExportIndexBody(std::uint16_t familyId, const std::vector<std::uint16_t>& members);

struct MemberSpec {
  PersonSpec record;  // its neighbour id numbers the member's chunks
  std::string biography;
  // The member's name in other languages, for the whole name table ("CTSS" 2000 + id); the
  // table is written only when `wholeNameTable` is set.
  std::vector<TableString> otherLanguages;
  bool wholeNameTable = true;
  LooksSpec looks;
  Rgb thumbnail{200, 170, 140};
  std::optional<Bytes> thumbnailFile;  // a bitmap file written in place of the 25 x 25 face
};

struct ExportSpec {
  FamilySpec family;  // its name goes into "FAMs" and "CTSS" 1000
  std::vector<MemberSpec> members;
  bool index = true;  // the "EXPi" chunk
  // The house's two pictures, "BMP_" 512 (64 x 48) and 1024 (128 x 96), labelled "Thumbnail",
  // written last in these colours.
  std::optional<std::pair<Rgb, Rgb>> house;
};

// The chunks in the order the builder keeps: EXPi, FAMI, FAMs, CTSS 1000, NBRS 1, then per member
// CTSS N, CTSS 2000 + N, uChr N, BMP_ N.
CharacterFile FamilyExportFile(const ExportSpec& exported);

// The Pemberton family: two adults, a kid and a dog, in today's layout or the old one (record
// version 0x4, family version 7, no whole name tables).
ExportSpec FamilyOfFour(bool oldLayout = false);
// The family of four cut off inside its last member's body strings.
Bytes DamagedFamilyExport();

// Writes the three exports as a player's game might hold them: Pemberton.FAM, the family as it
// moved out, into `exported`; Pemberton (old).FAM and Damaged.FAM, as downloaded, into
// `imported`.
void WriteSampleFamilies(const std::filesystem::path& exported,
                         const std::filesystem::path& imported);

}  // namespace quill::testdata
