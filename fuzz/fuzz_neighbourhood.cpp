// SPDX-License-Identifier: GPL-3.0-or-later
// Neighbourhood files, and the list-of-Sims and family bodies on their own: what is read must
// fit in the bytes, person data must have one of its two lengths, and every relationship must
// lead to a record with that id or be known as leading nowhere.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "inspect/family_names.h"
#include "inspect/neighbourhood.h"
#include "inspect/sim_profile.h"

namespace {

using quill::PersonRecord;

// The bytes a record's numbers took in the file at the least.
std::size_t BytesOf(const PersonRecord& record) {
  return record.personData.size() * 2 + record.relationships.size() * 12 + 30;
}

void CheckRecord(const PersonRecord& record) {
  const std::size_t length = record.personData.size();
  FUZZ_REQUIRE(length == 0 || length == (record.recordVersion == 0xA ? 256u : 80u));
  FUZZ_REQUIRE(record.recordVersion == 0xA || record.recordVersion == 0x4);
  FUZZ_REQUIRE(!record.value(length).has_value());
  if (length > 0) FUZZ_REQUIRE(record.value(length - 1) == record.personData.back());
  for (const auto& traits : {quill::PersonalityOf(record), quill::SkillsOf(record)}) {
    for (const quill::Trait& trait : traits) {
      FUZZ_REQUIRE(trait.points * 100 <= trait.stored && trait.stored < trait.points * 100 + 100);
    }
  }
  if (const auto sign = quill::StarSignOf(record)) FUZZ_REQUIRE(*sign >= 1 && *sign <= 12);
}

void CheckPeople(const quill::PeopleList& people, std::size_t size) {
  std::size_t read = 0;
  for (const PersonRecord& record : people.records) {
    CheckRecord(record);
    read += BytesOf(record);
  }
  FUZZ_REQUIRE(read <= size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = quill::fuzz::AsBytes(data, size);
  // The file header is never read, so its first byte can choose the player's language.
  const int slot = size > 0 ? 1 + data[0] % 20 : 1;

  CheckPeople(quill::ReadPeople(bytes), size);
  if (const auto family = quill::ReadFamily(bytes, 3)) {
    FUZZ_REQUIRE(family->members.size() * 4 + 40 <= size && family->chunkId == 3);
  }

  const quill::Neighbourhood hood = quill::ReadNeighbourhood(bytes, slot);
  std::size_t read = 0;
  for (const PersonRecord& record : hood.people) {
    CheckRecord(record);
    read += BytesOf(record);
    FUZZ_REQUIRE(hood.person(record.guid) != nullptr);
    FUZZ_REQUIRE(hood.person(record.guid)->guid == record.guid);
    for (const quill::Relationship& relationship : record.relationships) {
      const PersonRecord* other = hood.neighbour(relationship.other);
      FUZZ_REQUIRE(other == nullptr || other->neighbourId == relationship.other);
      if (other != nullptr && quill::AreFriends(record, *other)) {
        FUZZ_REQUIRE(quill::AreFriends(*other, record));
      }
    }
    const quill::SimProfile profile =
        quill::ProfileOf(hood, record.guid, [](std::uint32_t) { return std::nullopt; });
    // Of records that share a GUID, the first is the Sim's.
    FUZZ_REQUIRE(profile.friends.has_value());
    FUZZ_REQUIRE(profile.friends->size() <= hood.person(record.guid)->relationships.size());
  }
  for (const quill::FamilyRecord& family : hood.families) {
    read += family.members.size() * 4 + 36;
    FUZZ_REQUIRE(hood.family(family.chunkId) != nullptr);
    FUZZ_REQUIRE(quill::FamilyFriendCount(hood, family) >= 0);
  }
  FUZZ_REQUIRE(read <= size);
  // The menu's reader of families' names alone: no more names than asked, none longer than the
  // chunk it came from may be.
  for (const std::string& name : quill::FamilyNamesIn(bytes, slot, 4)) {
    FUZZ_REQUIRE(name.size() <= 3 * quill::kLongestFamilyNameChunk);
  }
  FUZZ_REQUIRE(quill::FamilyNamesIn(bytes, slot, 4).size() <= 4);
  if (hood.problem.empty()) FUZZ_REQUIRE(size >= 64 + 76 + 16);
  return 0;
}
