// SPDX-License-Identifier: GPL-3.0-or-later
// Who lives in a neighbourhood: the Sims' records, their relationships and the families, read
// from the chunks the game keeps them in. Plain functions over bytes: the same chunks turn up in
// the neighbourhood file and in a family export.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quill {

// The neighbourhood file beside a Characters folder. Like a family export, it is read whole only
// up to platform::kLargestReadableFile, the bound of every file Quillmere reads.
inline constexpr const char* kNeighbourhoodFileName = "Neighborhood.iff";

struct Relationship {
  std::int32_t other = 0;             // the other Sim's neighbour id
  std::optional<std::int32_t> daily;  // value 0, -100..100; absent when no value is stored
};

struct PersonRecord {
  std::string name;  // as the record stores it, shown by platform::ShownName
  std::int32_t recordVersion = 0;
  // 256 numbers (80 in old records), or none when the record holds no person data.
  std::vector<std::int16_t> personData;
  std::int16_t neighbourId = 0;
  std::uint32_t guid = 0;
  std::vector<Relationship> relationships;  // once indexed: by the other Sim's id

  // Entry `index` of the person data; nothing where the record holds none.
  std::optional<std::int16_t> value(std::size_t index) const;
};

struct PeopleList {
  std::vector<PersonRecord> records;  // in slot order, empty slots left out
  bool complete = true;               // false when the chunk ends inside a record or is no list
};

// An "NBRS" chunk's body.
PeopleList ReadPeople(std::string_view body);

struct FamilyRecord {
  int chunkId = 0;
  std::int32_t house = 0;  // 0: no lot
  std::int32_t number = 0;
  std::int32_t cash = 0;
  std::int32_t netWorth = 0;
  std::int32_t friends = 0;  // the count the game stored
  std::vector<std::uint32_t> members;
  std::optional<std::string> name;  // from the "FAMs" chunk of the same id
};

// A "FAMI" chunk's body; nothing when it is not a whole family.
std::optional<FamilyRecord> ReadFamily(std::string_view body, int chunkId);
// A "FAMs" chunk's body: the family's name in the player's language, shown by
// platform::ShownName.
std::optional<std::string> ReadFamilyName(std::string_view body, int playerSlot);

struct Neighbourhood {
  std::vector<PersonRecord> people;
  std::vector<FamilyRecord> families;  // in file order
  // Empty when the file was read whole; otherwise one line saying what is missing and why.
  std::string problem;

  // Builds the lookups below over the lists as they are now; where two entries share a key, the
  // first counts. Puts each Sim's relationships in order of the other Sim's id, one per Sim.
  void index();
  const PersonRecord* person(std::uint32_t guid) const;
  const PersonRecord* neighbour(std::int32_t neighbourId) const;
  const FamilyRecord* family(int chunkId) const;

 private:
  std::unordered_map<std::uint32_t, std::size_t> byGuid_;
  std::unordered_map<std::int32_t, std::size_t> byNeighbourId_;
  std::unordered_map<int, std::size_t> byChunkId_;
};

// A whole neighbourhood file's bytes; indexed. A chunk shorter than its header ends the reading
// there; one cut off by the file's end is read as far as it goes.
Neighbourhood ReadNeighbourhood(std::string_view image, int playerSlot);

}  // namespace quill
