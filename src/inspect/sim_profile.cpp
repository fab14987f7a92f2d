// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/sim_profile.h"

#include <algorithm>
#include <unordered_set>

namespace quill {

namespace {

constexpr std::size_t kFamily = 61;
constexpr std::int32_t kFriendship = 50;

std::optional<std::int32_t> Daily(const PersonRecord& from, std::int32_t toNeighbourId) {
  const auto found = std::lower_bound(
      from.relationships.begin(), from.relationships.end(), toNeighbourId,
      [](const Relationship& relationship, std::int32_t id) { return relationship.other < id; });
  if (found == from.relationships.end() || found->other != toNeighbourId) return std::nullopt;
  return found->daily;
}

// The friends of `sim`, each once: the indexed relationships lead to each other Sim once.
std::vector<const PersonRecord*> FriendsOf(const Neighbourhood& hood, const PersonRecord& sim) {
  std::vector<const PersonRecord*> friends;
  for (const Relationship& relationship : sim.relationships) {
    const PersonRecord* other = hood.neighbour(relationship.other);
    if (other != nullptr && other != &sim && AreFriends(sim, *other)) friends.push_back(other);
  }
  return friends;
}

std::string NameOf(const PersonRecord* record, std::uint32_t guid, const NameOfSim& nameOf) {
  if (std::optional<std::string> name = nameOf(guid)) return std::move(*name);
  if (record != nullptr && !record->name.empty()) return record->name;
  return kUnnamedSim;
}

Household HouseholdOf(const Neighbourhood& hood, const FamilyRecord& family,
                      const NameOfSim& nameOf) {
  Household household{family.name, {},           0,
                      family.cash, family.house, FamilyFriendCount(hood, family)};
  const std::size_t shown = std::min(family.members.size(), kMembersShown);
  for (std::size_t k = 0; k < shown; ++k) {
    const std::uint32_t member = family.members[k];
    household.members.push_back(NameOf(hood.person(member), member, nameOf));
  }
  household.moreMembers = family.members.size() - shown;
  return household;
}

}  // namespace

bool AreFriends(const PersonRecord& a, const PersonRecord& b) {
  return Daily(a, b.neighbourId).value_or(0) >= kFriendship &&
         Daily(b, a.neighbourId).value_or(0) >= kFriendship;
}

int FamilyFriendCount(const Neighbourhood& hood, const FamilyRecord& family) {
  // Only members with a record can have friends, and the records are no more than the
  // neighbourhood holds, however many members the family lists.
  std::unordered_set<const PersonRecord*> members;
  for (const std::uint32_t member : family.members) {
    if (const PersonRecord* record = hood.person(member)) members.insert(record);
  }
  std::unordered_set<std::int32_t> friends;
  for (const PersonRecord* record : members) {
    for (const PersonRecord* other : FriendsOf(hood, *record)) {
      if (!IsPet(*other) && !members.contains(other)) friends.insert(other->neighbourId);
    }
  }
  return static_cast<int>(friends.size());
}

std::string MembersLine(const Household& household) {
  std::string line;
  for (const std::string& member : household.members) {
    line += (line.empty() ? "" : ", ") + member;
  }
  if (household.moreMembers > 0) line += " and " + std::to_string(household.moreMembers) + " more";
  return line;
}

const Household& Profiles::household(const FamilyRecord& family) {
  const auto found = households_.find(&family);
  if (found != households_.end()) return found->second;
  return households_.emplace(&family, HouseholdOf(hood_, family, nameOf_)).first->second;
}

SimProfile ProfileOf(const Neighbourhood& hood, std::optional<std::uint32_t> guid,
                     const NameOfSim& nameOf, std::optional<BodyLooks> looks) {
  return Profiles(hood, nameOf).of(guid, std::move(looks));
}

SimProfile Profiles::of(std::optional<std::uint32_t> guid, std::optional<BodyLooks> looks) {
  const Neighbourhood& hood = hood_;
  const NameOfSim& nameOf = nameOf_;
  SimProfile profile;
  profile.looks = std::move(looks);
  profile.missing = hood.problem;
  const PersonRecord* record = guid ? hood.person(*guid) : nullptr;
  if (record == nullptr) {
    if (profile.missing.empty()) {
      profile.missing = guid ? "The neighbourhood holds no record of this Sim."
                             : "This character file holds no GUID to find the Sim's record by.";
    }
    return profile;
  }
  profile.kind = KindOf(*record);
  profile.age = AgeOf(*record);
  profile.sign = StarSignOf(*record);
  profile.career = CareerOf(*record);
  profile.personality = PersonalityOf(*record);
  profile.skills = SkillsOf(*record);
  profile.friends.emplace();
  for (const PersonRecord* other : FriendsOf(hood, *record))
    profile.friends->push_back(NameOf(other, other->guid, nameOf));
  const int familyId = record->value(kFamily).value_or(0);
  if (const FamilyRecord* family = familyId != 0 ? hood.family(familyId) : nullptr) {
    profile.family = household(*family);
  }
  if (record->personData.empty() && profile.missing.empty()) {
    profile.missing = "The Sim's record holds no personality, skills or career.";
  }
  return profile;
}

}  // namespace quill
