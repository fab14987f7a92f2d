// SPDX-License-Identifier: GPL-3.0-or-later
// Family exports, whole files or any bytes: what is read must fit in the bytes, every member is
// listed once under a real id, and a member list longer than the export index's eight places
// only comes with the reason why the index was not used. Every name and biography is shown by the
// one rule for shown text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>

#include "fuzz_check.h"
#include "inspect/family_export.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string image = quill::fuzz::AsBytes(data, size);
  const int playerSlot = static_cast<int>(size % 22);  // every slot, and two that are none
  const std::optional<quill::FamilyExport> read = quill::ReadFamilyExport(image, playerSlot);
  if (!read) return 0;
  std::unordered_set<int> ids;
  for (const quill::FamilyMember& member : read->members) {
    FUZZ_REQUIRE(member.neighbourId != 0);
    FUZZ_REQUIRE(ids.insert(member.neighbourId).second);
    FUZZ_REQUIRE(member.thumbnail.size() < size);
    FUZZ_REQUIRE(quill::fuzz::ShownWithin(member.name, quill::platform::kNameLimit));
    FUZZ_REQUIRE(
        quill::fuzz::ShownWithin(member.biography, quill::platform::kDescriptionLimit, true));
    if (member.guid) FUZZ_REQUIRE(read->records.neighbour(member.neighbourId) != nullptr);
  }
  if (read->name) FUZZ_REQUIRE(quill::fuzz::ShownWithin(*read->name, quill::platform::kNameLimit));
  for (const quill::PersonRecord& record : read->records.people)
    FUZZ_REQUIRE(quill::fuzz::ShownWithin(record.name, quill::platform::kNameLimit));
  if (read->members.size() > quill::kMembersInExportIndex) FUZZ_REQUIRE(!read->problem.empty());
  return 0;
}
