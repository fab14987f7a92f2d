// SPDX-License-Identifier: GPL-3.0-or-later
// Everything known about one Sim, gathered once for the Sim card, the family window and the
// listings, which only format it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "inspect/body_strings.h"
#include "inspect/neighbourhood.h"
#include "inspect/person_traits.h"

namespace quill {

// What a Sim with neither a character file nor a name in its record is called.
inline constexpr const char* kUnnamedSim = "(unnamed Sim)";

// A Sim's name from its character file, by GUID; nothing when no file of the folder has it.
using NameOfSim = std::function<std::optional<std::string>(std::uint32_t guid)>;

// A household of the game has at most eight members; a family record may list any number.
inline constexpr std::size_t kMembersShown = 8;

struct Household {
  std::optional<std::string> name;
  std::vector<std::string> members;  // the first kMembersShown, in the family's order
  std::size_t moreMembers = 0;       // how many the family lists after those
  std::int32_t cash = 0;
  std::int32_t house = 0;
  int friends = 0;  // worked out from the relationships
};

struct SimProfile {
  std::optional<Kind> kind;
  std::optional<Age> age;
  std::optional<int> sign;
  std::optional<Career> career;
  std::vector<Trait> personality;  // empty when not known
  std::vector<Trait> skills;
  std::optional<std::vector<std::string>> friends;  // absent without a record
  std::optional<Household> family;                  // absent for a Sim of no family
  std::optional<BodyLooks> looks;                   // absent without body strings
  // Empty when everything is known; otherwise one line saying why the rest is missing.
  std::string missing;
};

// "Ann, Bob" or, past kMembersShown, "Ann, …, Hal and 3 more".
std::string MembersLine(const Household& household);

// The profiles of one neighbourhood's Sims, each household worked out once however many of its
// Sims are asked for: a family that lists thousands of members costs once, not once per Sim.
// `hood` and `nameOf` must outlive it.
class Profiles {
 public:
  Profiles(const Neighbourhood& hood, NameOfSim nameOf) : hood_(hood), nameOf_(std::move(nameOf)) {}
  // `guid` is the Sim's from its character file, when it has one, and `looks` what its body
  // strings say. `hood.problem` (a missing or damaged file) comes first among the reasons.
  SimProfile of(std::optional<std::uint32_t> guid, std::optional<BodyLooks> looks = std::nullopt);

 private:
  const Household& household(const FamilyRecord& family);

  const Neighbourhood& hood_;
  NameOfSim nameOf_;
  std::unordered_map<const FamilyRecord*, Household> households_;
};

// One Sim's profile, for a caller that asks for one.
SimProfile ProfileOf(const Neighbourhood& hood, std::optional<std::uint32_t> guid,
                     const NameOfSim& nameOf, std::optional<BodyLooks> looks = std::nullopt);

// Whether the two Sims' daily relationships are both at least 50.
bool AreFriends(const PersonRecord& a, const PersonRecord& b);

// Sims outside the family, pets left out, who are friends with one of its members.
int FamilyFriendCount(const Neighbourhood& hood, const FamilyRecord& family);

}  // namespace quill
