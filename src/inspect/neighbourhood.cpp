// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/neighbourhood.h"

#include <algorithm>

#include "chunkfile/byte_cursor.h"
#include "chunkfile/chunk_walk.h"
#include "inspect/localized_strings.h"
#include "platform/text.h"

namespace quill {

namespace {

constexpr std::int32_t kRecordVersion = 0xA;
constexpr std::int32_t kOldRecordVersion = 0x4;
constexpr std::size_t kPersonDataLength = 256;
constexpr std::size_t kOldPersonDataLength = 80;
constexpr std::size_t kSmallestRelationship = 12;  // the flag, the other Sim, the value count

std::int16_t I16(ByteCursor& in) {
  return static_cast<std::int16_t>(in.u16());
}

// A NUL-terminated name, and the pad byte that follows one of even length.
std::string_view PaddedName(ByteCursor& in) {
  const std::size_t end = in.rest().find('\0');
  if (end == std::string_view::npos) throw ChunkFailure("name without its end");
  const std::string_view name = in.take(end);
  in.take(name.size() % 2 == 0 ? 2 : 1);
  return name;
}

Relationship ReadRelationship(ByteCursor& in) {
  in.i32();  // 1
  Relationship relationship;
  relationship.other = in.i32();
  const std::size_t values = in.count(4);
  if (values > 0) relationship.daily = in.i32();
  if (values > 1) in.take((values - 1) * 4);
  return relationship;
}

PersonRecord ReadPerson(ByteCursor& in) {
  PersonRecord record;
  record.recordVersion = in.i32();
  if (record.recordVersion == kRecordVersion) {
    in.i32();
  } else if (record.recordVersion != kOldRecordVersion) {
    throw ChunkFailure("unknown record version");
  }
  // One byte of the code page is one character: a character past the cap is enough to cut at.
  record.name =
      platform::ShownName(Cp1252ToUtf8(PaddedName(in).substr(0, platform::kNameLimit + 1)));
  in.i32();  // 0
  if (in.i32() != 0) {
    const std::size_t length =
        record.recordVersion == kRecordVersion ? kPersonDataLength : kOldPersonDataLength;
    if (length * 2 > in.left()) throw ChunkFailure("person data past the end");
    record.personData.reserve(length);
    for (std::size_t k = 0; k < length; ++k) record.personData.push_back(I16(in));
  }
  record.neighbourId = I16(in);
  record.guid = in.u32();
  in.i32();  // -1
  const std::size_t relationships = in.count(kSmallestRelationship);
  record.relationships.reserve(relationships);
  for (std::size_t k = 0; k < relationships; ++k) {
    record.relationships.push_back(ReadRelationship(in));
  }
  return record;
}

}  // namespace

std::optional<std::int16_t> PersonRecord::value(std::size_t index) const {
  if (index >= personData.size()) return std::nullopt;
  return personData[index];
}

PeopleList ReadPeople(std::string_view body) {
  PeopleList list;
  ByteCursor in(body);
  try {
    in.u32();  // 0
    in.u32();  // the list's version
    if (in.take(4) != "SRBN") throw ChunkFailure("not a list of Sims");
    const std::uint32_t slots = in.u32();
    // Every slot takes at least four bytes, so the bytes bound the loop whatever the count says.
    for (std::uint32_t slot = 0; slot < slots; ++slot) {
      if (in.i32() == 1) list.records.push_back(ReadPerson(in));
    }
  } catch (const ChunkFailure&) {
    list.complete = false;
  }
  return list;
}

std::optional<FamilyRecord> ReadFamily(std::string_view body, int chunkId) {
  ByteCursor in(body);
  try {
    in.u32();  // 0
    in.u32();  // the family's version
    if (in.take(4) != "IMAF") return std::nullopt;
    FamilyRecord family;
    family.chunkId = chunkId;
    family.house = in.i32();
    family.number = in.i32();
    family.cash = in.i32();
    family.netWorth = in.i32();
    family.friends = in.i32();
    in.i32();  // not known
    const std::size_t members = in.count(4);
    family.members.reserve(members);
    for (std::size_t k = 0; k < members; ++k) family.members.push_back(in.u32());
    return family;
  } catch (const ChunkFailure&) {
    return std::nullopt;
  }
}

std::optional<std::string> ReadFamilyName(std::string_view body, int playerSlot) {
  const std::optional<LocalizedStrings> strings =
      ReadLocalizedStrings(body, playerSlot, 1, platform::kNameLimit);
  if (!strings || strings->texts.empty() || strings->texts[0].empty()) return std::nullopt;
  return platform::ShownName(strings->texts[0]);
}

namespace {

template <typename Key, typename Item>
const Item* Find(const std::unordered_map<Key, std::size_t>& index, Key key,
                 const std::vector<Item>& items) {
  const auto found = index.find(key);
  return found == index.end() ? nullptr : &items[found->second];
}

}  // namespace

void Neighbourhood::index() {
  byGuid_.clear();
  byNeighbourId_.clear();
  byChunkId_.clear();
  for (std::size_t k = 0; k < people.size(); ++k) {
    // In order of the other Sim, the first of two to the same Sim kept, so that one Sim's
    // relationship to another is found without going through all of them.
    std::vector<Relationship>& relationships = people[k].relationships;
    std::stable_sort(
        relationships.begin(), relationships.end(),
        [](const Relationship& a, const Relationship& b) { return a.other < b.other; });
    relationships.erase(std::unique(relationships.begin(), relationships.end(),
                                    [](const Relationship& a, const Relationship& b) {
                                      return a.other == b.other;
                                    }),
                        relationships.end());
    byGuid_.emplace(people[k].guid, k);
    byNeighbourId_.emplace(people[k].neighbourId, k);
  }
  for (std::size_t k = 0; k < families.size(); ++k) byChunkId_.emplace(families[k].chunkId, k);
}

const PersonRecord* Neighbourhood::person(std::uint32_t guid) const {
  return Find(byGuid_, guid, people);
}

const PersonRecord* Neighbourhood::neighbour(std::int32_t neighbourId) const {
  return Find(byNeighbourId_, neighbourId, people);
}

const FamilyRecord* Neighbourhood::family(int chunkId) const {
  return Find(byChunkId_, chunkId, families);
}

Neighbourhood ReadNeighbourhood(std::string_view image, int playerSlot) {
  Neighbourhood hood;
  bool sawPeople = false;
  bool brokenFamilies = false;
  std::unordered_map<int, std::string_view> names;
  const ChunkChain chain = VisitWholeChunks(image, [&](const ChunkRecord& chunk) {
    const int id = ChunkIdOf(chunk);
    if (chunk.ChunkType == "NBRS" && !sawPeople) {
      sawPeople = true;
      PeopleList people = ReadPeople(BodyOf(chunk));
      hood.people = std::move(people.records);
      if (!people.complete) hood.problem = "The neighbourhood's list of Sims is damaged.";
    } else if (chunk.ChunkType == "FAMI") {
      if (std::optional<FamilyRecord> family = ReadFamily(BodyOf(chunk), id)) {
        hood.families.push_back(std::move(*family));
      } else {
        brokenFamilies = true;
      }
    } else if (chunk.ChunkType == "FAMs") {
      names.emplace(id, BodyOf(chunk));
    }
    return true;
  });
  hood.index();
  // The first family of an id takes the first name chunk of that id; other families of the id are
  // never looked up, so their names are not read.
  for (FamilyRecord& family : hood.families) {
    const auto name = names.find(family.chunkId);
    if (name != names.end() && hood.family(family.chunkId) == &family) {
      family.name = ReadFamilyName(name->second, playerSlot);
    }
  }
  if (!hood.problem.empty()) return hood;
  if (chain == ChunkChain::Damaged) {
    hood.problem = "The neighbourhood file is damaged; what follows the damage is missing.";
  } else if (!sawPeople) {
    hood.problem = "The neighbourhood file holds no list of Sims.";
  } else if (brokenFamilies) {
    hood.problem = "The neighbourhood file holds damaged families.";
  }
  return hood;
}

}  // namespace quill
