// SPDX-License-Identifier: GPL-3.0-or-later
// Writes neighbourhood files and whole saved games: the Sims' records (NBRS), their families
// (FAMI, FAMs) and character files that carry the GUIDs linking them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "character_builder.h"

namespace quill::testdata {

// Person data of `length` numbers (256, or 80 in old records), zero but for `values` (index,
// value).
std::vector<std::int16_t> PersonData(std::initializer_list<std::pair<int, int>> values,
                                     std::size_t length = 256);

struct PersonSpec {
  std::string name;
  std::int32_t recordVersion = 0xA;
  std::optional<std::vector<std::int16_t>> personData;  // none: the record holds no person data
  std::int16_t neighbourId = 0;
  std::uint32_t guid = 0;
  // The other Sim's neighbour id, then the values (the daily relationship first).
  std::vector<std::pair<std::int32_t, std::vector<std::int32_t>>> relationships;
};

// One slot's record, "present" flag included.
Bytes PersonRecordBytes(const PersonSpec& person);
// An NBRS body; an absent slot is written as an empty one. `slotCount` as stated, by default the
// slots'.
Bytes PeopleBody(const std::vector<std::optional<PersonSpec>>& slots,
                 std::optional<std::uint32_t> slotCount = {});

struct FamilySpec {
  std::uint16_t id = 1;  // the FAMI and FAMs chunks' id
  std::int32_t house = 0;
  std::int32_t number = 0;
  std::int32_t cash = 0;
  std::int32_t friends = 0;
  std::vector<std::uint32_t> members;
  std::string name;          // empty: no FAMs chunk
  std::int32_t version = 9;  // 7 in old family exports
};
Bytes FamilyBody(const FamilySpec& family);

CharacterFile NeighbourhoodFile(const std::vector<std::optional<PersonSpec>>& people,
                                const std::vector<FamilySpec>& families);

// A neighbourhood of `people` Sims in families of four, each with `relationships` relationships
// to the Sims nearest it in the list; for measuring.
CharacterFile LargeNeighbourhood(int people, int relationships);

// A saved game in `root`: UserData (the Thornbury family of two adults, a kid, a dog and a cat; a
// lone Sim of no family; a Sim the neighbourhood has no record of) and UserData2 (the Okonkwo and
// Quillfeather families), each with its Characters folder and Neighborhood.iff.
void WriteSavedGame(const std::filesystem::path& root);

}  // namespace quill::testdata
