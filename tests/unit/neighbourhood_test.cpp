// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/neighbourhood.h"

#include <gtest/gtest.h>

#include "inspect/person_traits.h"
#include "inspect/sim_profile.h"
#include "neighbourhood_builder.h"

namespace quill {
namespace {

using namespace testdata;

// Neighbour id `id`, else the name's length.
PersonSpec Person(
    const std::string& name, std::int32_t version, bool data,
    std::vector<std::pair<std::int32_t, std::vector<std::int32_t>>> relationships = {},
    std::int16_t id = 0) {
  return {name,
          version,
          data ? std::optional(PersonData({{70, 3}}, version == 4 ? 80 : 256)) : std::nullopt,
          id != 0 ? id : static_cast<std::int16_t>(name.size()),
          0xC0DE0000u + static_cast<std::uint32_t>(name.size()),
          std::move(relationships)};
}

// Name, person data length, then "other:daily" per relationship ("other:-" without values).
std::string Describe(const PersonRecord& r) {
  std::string text = r.name + "/" + std::to_string(r.personData.size()) + "/" +
                     std::to_string(r.neighbourId) + "/" + std::to_string(r.guid - 0xC0DE0000u);
  for (const Relationship& rel : r.relationships)
    text.append(" ")
        .append(std::to_string(rel.other))
        .append(":")
        .append(rel.daily ? std::to_string(*rel.daily) : "-");
  return text;
}

TEST(Neighbourhood, PeopleOfBothRecordVersionsAndWhereAListBreaks) {
  const Bytes two = PeopleBody({Person("Ada", 0xA, true, {{4, {60, 1}}, {9, {}}}), std::nullopt,
                                Person("Bram", 0x4, true), Person("", 0xA, false)});
  const Bytes oneSlot = PeopleBody({Person("Bo", 0xA, true)});
  // The body, the records read, whether the list was read whole.
  const std::tuple<Bytes, std::vector<std::string>, bool> cases[] = {
      // Odd and even names (the even one padded), both versions, an empty slot, no person data.
      {two, {"Ada/256/3/3 4:60 9:-", "Bram/80/4/4", "/0/0/0"}, true},
      {PeopleBody({}, 2) + LittleEndian32(7) + LittleEndian32(0), {}, true},  // "present" only if 1
      {PeopleBody({Person("Ada", 0xA, true)}, 2), {"Ada/256/3/3"}, false},    // slots past the end
      {PeopleBody({Person("Ada", 0xA, true)}, 0x7FFFFFFF), {"Ada/256/3/3"}, false},
      {oneSlot.substr(0, oneSlot.size() - 1), {}, false},
      {PeopleBody({Person("Ada", 0xA, false)}).substr(0, 50) + LittleEndian32(0x10000000),
       {},
       false},
      {PeopleBody({Person("Ada", 0xA, false, {{1, {5}}})}).substr(0, 62) + LittleEndian32(1000000),
       {},
       false},                                              // a value count past the end
      {PeopleBody({Person("Ada", 0x5, true)}), {}, false},  // a layout the game never wrote
      {"\0\0\0\0\x49\0\0\0NBRS\1\0\0\0"_b, {}, false},
  };
  for (const auto& [body, records, whole] : cases) {
    const PeopleList list = ReadPeople(body);
    std::vector<std::string> described;
    for (const PersonRecord& record : list.records) described.push_back(Describe(record));
    EXPECT_EQ(described, records) << body.size();
    EXPECT_EQ(list.complete, whole) << body.size();
  }
}

TEST(Neighbourhood, FamiliesNamesByTheOneRuleAndWhyPartsAreMissing) {
  const Bytes people = PeopleBody({Person("Ada", 0xA, true)});
  const FamilySpec goth{7, 3, 1, 20000, 2, {0xC0DE0003}, "Goth"};
  const Bytes whole =
      NeighbourhoodFile({Person("Ada", 0xA, true)}, {goth, {8, 0, 2, 5, 0, {}, ""}}).build();
  // The file, the families' names ("-" without one), the problem.
  const std::tuple<Bytes, std::vector<std::string>, std::string> cases[] = {
      {whole, {"Goth", "-"}, ""},
      {whole.substr(0, whole.size() - 3),
       {"Goth"},
       "The neighbourhood file is damaged; "
       "what follows the damage is missing."},
      {CharacterFile()
           .add({"FAMI", 7, 0, "", FamilyBody(goth).substr(0, 40), {}, {}})
           .add({"NBRS", 1, 0, "", people, {}, {}})
           .build(),
       {},
       "The neighbourhood file holds damaged families."},
      {CharacterFile().add({"FAMI", 7, 0, "", FamilyBody(goth), {}, {}}).build(),
       {"-"},
       "The neighbourhood file holds no list of Sims."},
      {CharacterFile().add({"NBRS", 1, 0, "", people.substr(0, 30), {}, {}}).build(),
       {},
       "The neighbourhood's list of Sims is damaged."},
  };
  for (const auto& [file, names, problem] : cases) {
    const Neighbourhood hood = ReadNeighbourhood(file, 1);
    std::vector<std::string> found;
    for (const FamilyRecord& family : hood.families) found.push_back(family.name.value_or("-"));
    EXPECT_EQ(found, names) << file.size();
    EXPECT_EQ(hood.problem, problem) << file.size();
  }
  const Neighbourhood hood = ReadNeighbourhood(whole, 1);
  ASSERT_NE(hood.family(7), nullptr);
  EXPECT_EQ(hood.family(7)->cash, 20000);
  EXPECT_EQ(hood.family(7)->netWorth, 21000);  // the builder writes cash + 1000
  EXPECT_EQ(hood.family(7)->members, std::vector<std::uint32_t>{0xC0DE0003});
  EXPECT_EQ(hood.person(0xC0DE0003)->name, "Ada");
  // Every name a neighbourhood gives is shown by the one rule: capped, control and direction
  // characters visible, in the game's code page. Catches a reader that keeps the raw bytes (a 1 MB
  // family name froze the card), or decodes 0x80 as a control. (A second record of a GUID: the
  // friends test.)
  PersonSpec first = Person("Caf\x80 \x1B[31m", 0xA, true);
  const PersonSpec longName = Person(std::string(1'000'000, 'n'), 0xA, true);
  const FamilySpec family{7, 0, 1, 5, 0, {first.guid}, std::string(1'000'000, 'F')};
  const FamilySpec undefined{8, 0, 2, 5, 0, {}, "Goth\x81"};  // a byte the code page lacks
  const Neighbourhood named =
      ReadNeighbourhood(NeighbourhoodFile({first, longName}, {family, undefined}).build(), 1);
  ASSERT_EQ(named.people.size(), 2u);
  EXPECT_EQ(named.person(first.guid)->name, "Caf\u20AC \u241B[31m");
  EXPECT_EQ(named.people[1].name, std::string(300, 'n') + "\u2026");
  EXPECT_EQ(named.family(7)->name, std::string(300, 'F') + "\u2026");
  EXPECT_EQ(named.family(8)->name, "Goth\uFFFD");
}

// Friends are both ways at 50 or more: a bound of 49 or of 51, or one way only, is caught. Of two
// records with one GUID the first is the Sim's. A household names its first eight members and
// counts the rest: 200,000 members without records took 13.9 s and 1.35 GB and gave a label of 3
// million characters.
TEST(SimProfile, FriendsAtFiftyBothWaysAndAHouseholdOfThousandsShowsEightAndCountsTheRest) {
  PersonSpec ada = Person("Ada", 0xA, true, {{2, {50}}, {3, {49}}, {4, {80}}}, 1);
  ada.personData = PersonData({{61, 7}});  // of family 7
  PersonSpec second = Person("Ada's twin", 0xA, true, {{4, {100}}}, 5);
  second.guid = ada.guid;
  const std::vector<std::optional<PersonSpec>> people = {
      ada, Person("Bram", 0xA, true, {{1, {50}}}, 2), Person("Cleo", 0xA, true, {{1, {90}}}, 3),
      Person("Dora", 0xA, true, {{1, {49}}}, 4), second};
  FamilySpec family{7, 0, 1, 5, 0, {ada.guid}, "Many"};
  for (std::uint32_t k = 0; k < 200'000; ++k) family.members.push_back(k + 100);
  const Neighbourhood hood = ReadNeighbourhood(NeighbourhoodFile(people, {family}).build(), 1);
  const SimProfile profile = ProfileOf(hood, ada.guid, [](std::uint32_t) { return std::nullopt; });
  EXPECT_EQ(profile.friends, std::vector<std::string>{"Bram"});
  ASSERT_TRUE(profile.family);
  EXPECT_EQ(MembersLine(*profile.family),
            "Ada, (unnamed Sim), (unnamed Sim), (unnamed Sim), (unnamed Sim), (unnamed Sim), "
            "(unnamed Sim), (unnamed Sim) and 199993 more");
}

TEST(PersonTraits, AsTheGameShowsThem) {
  const std::initializer_list<std::pair<int, int>> leo = {{7, 999},  {6, 1000}, {3, 199}, {10, 100},
                                                          {18, 99},  {56, 6},   {57, 1},  {58, 27},
                                                          {63, -40}, {65, 1},   {70, 5}};
  // Person data; then species, gender, age, sign, career and the points with their labels.
  const std::tuple<std::vector<std::int16_t>, std::string, std::string> cases[] = {
      {PersonData(leo), "human female adult Leo Military, level 2 -40",
       "Neat 9 Outgoing 10 Active 1 Playful 0 Nice 0 Cooking 1 Mechanical 0 Charisma 0 Body 0 "
       "Logic 0 Creativity 0"},
      {PersonData({{56, -1}, {57, 2}, {58, 9}, {70, 12}}),
       "human male kid Pisces School, grade A\u2212 0", ""},
      // The base game's careers 1 to 10 in alphabetical order; 11 to 13 not yet known.
      {PersonData({{56, 3}, {57, 0}, {58, 27}}, 80),
       "human male adult Cancer Law Enforcement, level 1 0", ""},
      {PersonData({{56, 1}, {58, 27}}), "human male adult Cancer Business, level 1 0", ""},
      {PersonData({{56, 4}, {58, 27}}), "human male adult Cancer Life of Crime, level 1 0", ""},
      {PersonData({{56, 12}, {58, 27}}), "human male adult Cancer Career 12, level 1 0", ""},
      // Negative points are rounded down, not toward zero: -1 is -1, -250 is -3.
      {PersonData({{56, 12}, {58, 27}, {7, -1}, {6, -250}, {3, -100}}),
       "human male adult Cancer Career 12, level 1 0",
       "Neat -1 Outgoing -3 Active -1 Playful 0 Nice 0 Cooking 0 Mechanical 0 Charisma 0 Body 0 "
       "Logic 0 Creativity 0"},
      {PersonData({{56, 0}, {65, 2}, {10, 700}, {12, 350}, {11, 120}, {7, 1}}),
       "dog male - - - 0",  // a pet has no career
       "Quiet 0 Friendly 0 Playful 0 Smart 0 Loyal 0 House Breaking 7 Tricks 3 Obedience 1"},
      {PersonData({{65, 5}, {58, 27}, {70, 3}, {10, 640}}), "cat female - - - 0",
       "Quiet 0 Friendly 0 Playful 0 Smart 0 Loyal 0 Hunting 6 Tricks 0 Obedience 0"},
      {PersonData({{65, 9}, {58, 30}, {56, 21}, {57, 4}, {70, 13}}),
       "- - - Cancer Career 21, level 5 0", ""},
      {{}, "- - - - - 0", ""},  // no person data
  };
  for (const auto& [data, shown, traits] : cases) {
    PersonRecord record;
    record.personData = data;
    const auto kind = KindOf(record);
    const auto age = AgeOf(record);
    const auto sign = StarSignOf(record);
    const auto career = CareerOf(record);
    const std::string text =
        std::string(kind ? SpeciesName(kind->species) : "-") + " " +
        (kind ? GenderName(kind->gender) : "-") + " " + (age ? AgeName(*age) : "-") + " " +
        (sign ? StarSignName(*sign) : "-") + " " + (career ? CareerText(*career) + " " : "- ") +
        std::to_string(career ? career->performance : 0);
    EXPECT_EQ(text, shown);
    if (traits.empty()) continue;
    std::string points;
    for (const auto& list : {PersonalityOf(record), SkillsOf(record)})
      for (const Trait& trait : list)
        points += (points.empty() ? "" : " ") + trait.label + " " + std::to_string(trait.points);
    EXPECT_EQ(points, traits);
  }
}

TEST(PersonTraits, NearestStarSignTakesTheEarlierSignOnATie) {
  // Neat, Outgoing, Active, Playful, Nice as stored; the sign.
  const std::pair<PersonalityValues, int> cases[] = {
      {{500, 800, 600, 300, 300}, 1},       // Aries' own preset
      {{200, 300, 900, 700, 400}, 9},       // Sagittarius'
      {{550, 650, 700, 300, 300}, 1},       // as near Aries, Gemini and Scorpio
      {{500, 600, 800, 300, 300}, 3},       // as near Gemini and Scorpio
      {{549, 650, 700, 300, 300}, 3},       // a hundredth nearer Gemini: not rounded
      {{0, 0, 0, 0, 0}, 4},                 // as near Cancer and Aquarius
      {{1000, 1000, 1000, 1000, 1000}, 4},  // as near Cancer and Aquarius
      {{400, 400, 400, 700, 600}, 11},
  };
  for (const auto& [values, sign] : cases) EXPECT_EQ(NearestStarSign(values), sign) << sign;
}

}  // namespace
}  // namespace quill
