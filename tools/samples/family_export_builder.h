// Writes family exports (".FAM"): the members' chunks, the export index, the family and the
// members' records, in the layouts the game has written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "character_builder.h"

namespace quill::testdata {

// What a Sim wears, as its body strings hold it.
struct LooksSpec {
  std::string skeleton = "adult";
  std::string body = "b006fafat_01,BODY=B006FAFatlgt_TT1";
  std::string head = "c001fa_mercedes,HEAD-HEAD=C001FAlgt_Shannon01";
  std::string gender = "female";
  std::string age = "27";
  std::string skinTone = "lgt";
  std::vector<std::string> outfits;  // written from string 15 on
};
// A body-string table: strings 0 to 14 (those not in `looks` empty), then the outfits.
Bytes BodyStrings(const LooksSpec& looks);

// An "EXPi" body: u32 0, u32 0x3F, "iPXE", the family's id, eight member places (0: empty).
Bytes ExportIndexBody(std::uint16_t familyId, const std::vector<std::uint16_t>& members);

}  // namespace quill::testdata
