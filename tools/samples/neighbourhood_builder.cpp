// SPDX-License-Identifier: GPL-3.0-or-later
#include "neighbourhood_builder.h"

#include "game_folder_builder.h"

namespace quill::testdata {

namespace fs = std::filesystem;

std::vector<std::int16_t> PersonData(std::initializer_list<std::pair<int, int>> values,
                                     std::size_t length) {
  std::vector<std::int16_t> data(length, 0);
  for (const auto& [index, value] : values)
    data.at(static_cast<std::size_t>(index)) = static_cast<std::int16_t>(value);
  return data;
}

Bytes PersonRecordBytes(const PersonSpec& person) {
  Bytes bytes = LittleEndian32(1) + LittleEndian32(person.recordVersion);
  if (person.recordVersion == 0xA) bytes += LittleEndian32(9);
  bytes += person.name + '\0';
  if (person.name.size() % 2 == 0) bytes += '\0';
  bytes += LittleEndian32(0) + LittleEndian32(person.personData ? 1 : 0);
  if (person.personData) {
    for (const std::int16_t value : *person.personData)
      bytes += LittleEndian16(static_cast<std::uint16_t>(value));
  }
  bytes += LittleEndian16(static_cast<std::uint16_t>(person.neighbourId)) +
           LittleEndian32(static_cast<std::int32_t>(person.guid)) + LittleEndian32(-1) +
           LittleEndian32(static_cast<std::int32_t>(person.relationships.size()));
  for (const auto& [other, values] : person.relationships) {
    bytes += LittleEndian32(1) + LittleEndian32(other) +
             LittleEndian32(static_cast<std::int32_t>(values.size()));
    for (const std::int32_t value : values) bytes += LittleEndian32(value);
  }
  return bytes;
}

Bytes PeopleBody(const std::vector<std::optional<PersonSpec>>& slots,
                 std::optional<std::uint32_t> slotCount) {
  Bytes body = LittleEndian32(0) + LittleEndian32(0x49) + "SRBN"_b +
               LittleEndian32(static_cast<std::int32_t>(slotCount.value_or(slots.size())));
  for (const std::optional<PersonSpec>& slot : slots)
    body += slot ? PersonRecordBytes(*slot) : LittleEndian32(0);
  return body;
}

// The net worth is written as the cash and 1,000 more, so that a reader that takes one for the
// other is caught.
Bytes FamilyBody(const FamilySpec& family) {
  Bytes body = LittleEndian32(0) + LittleEndian32(family.version) + "IMAF"_b +
               LittleEndian32(family.house) + LittleEndian32(family.number) +
               LittleEndian32(family.cash) + LittleEndian32(family.cash + 1000) +
               LittleEndian32(family.friends) + LittleEndian32(0) +
               LittleEndian32(static_cast<std::int32_t>(family.members.size()));
  for (const std::uint32_t member : family.members)
    body += LittleEndian32(static_cast<std::int32_t>(member));
  return body;
}

CharacterFile NeighbourhoodFile(const std::vector<std::optional<PersonSpec>>& people,
                                const std::vector<FamilySpec>& families) {
  CharacterFile file;
  file.add({"NGBH", 1, 0x10, "", Bytes(32, '\0'), {}, {}})
      .add({"NBRS", 1, 0x10, "", PeopleBody(people), {}, {}});
  for (const FamilySpec& family : families) {
    file.add({"FAMI", family.id, 0x10, "", FamilyBody(family), {}, {}});
    if (!family.name.empty())
      file.add({"FAMs", family.id, 0x10, "", StringTable({{family.name, ""}}), {}, {}});
  }
  return file;
}

CharacterFile LargeNeighbourhood(int people, int relationships) {
  std::vector<std::optional<PersonSpec>> slots;
  std::vector<FamilySpec> families;
  for (int k = 0; k < people; ++k) {
    PersonSpec person{"Sim " + std::to_string(k),
                      0xA,
                      PersonData({{2, k % 1000}, {56, k % 21}, {58, 27}, {61, 1 + k / 4}}),
                      static_cast<std::int16_t>(k + 1),
                      0x10000u + static_cast<std::uint32_t>(k),
                      {}};
    // To the Sims on either side, liked as much both ways: a quarter of them are friends.
    for (int r = 1; r <= relationships; ++r) {
      const int other = (k + people + (r % 2 == 0 ? r / 2 : -(r + 1) / 2)) % people + 1;
      person.relationships.push_back({other, {(k + 1 + other) * 37 % 201 - 100, 0}});
    }
    if (k % 4 == 0)
      families.push_back({static_cast<std::uint16_t>(1 + k / 4), k / 4, k / 4, 1000, 0, {}, "F"});
    families.back().members.push_back(person.guid);
    slots.push_back(std::move(person));
  }
  return NeighbourhoodFile(slots, families);
}

namespace {

struct SavedSim {
  const char* file;
  const char* name;
  std::optional<PersonSpec> record;  // none: the neighbourhood does not know the Sim
  std::uint32_t guid;
};

// Relationships between neighbour ids, daily value only.
PersonSpec Person(const std::string& name, std::int16_t id, std::vector<std::int16_t> data,
                  std::vector<std::pair<std::int32_t, std::int32_t>> daily,
                  std::int32_t version = 0xA) {
  PersonSpec person{name, version, std::move(data), id, 0xA1000u + static_cast<std::uint32_t>(id),
                    {}};
  for (const auto& [other, value] : daily) person.relationships.push_back({other, {value, 30}});
  return person;
}

void WriteUserData(const fs::path& folder, const std::vector<SavedSim>& sims,
                   const std::vector<FamilySpec>& families) {
  fs::create_directories(folder / "Characters");
  std::vector<std::optional<PersonSpec>> slots = {std::nullopt};  // the game leaves gaps
  for (const SavedSim& sim : sims) {
    LookalikeCharacter(sim.name, std::string("Lives in ") + folder.filename().string() + ".", {},
                       {.guid = sim.guid, .looks = SavedSimLooks(sim.file)})
        .write(folder / "Characters" / sim.file);
    if (sim.record) slots.push_back(sim.record);
  }
  NeighbourhoodFile(slots, families).write(folder / "Neighborhood.iff");
}

}  // namespace

void WriteSavedGame(const fs::path& root) {
  // Personality at 7 Neat, 6 Outgoing, 3 Active, 5 Playful, 2 Nice; skills at 10 Cooking,
  // 11 Charisma, 12 Mechanical, 15 Creativity, 17 Body, 18 Logic; 56 career, 57 level, 58 age,
  // 61 family, 63 performance, 65 gender, 70 star sign.
  const PersonSpec ada = Person("Ada", 1,
                                PersonData({{7, 850},
                                            {6, 300},
                                            {3, 620},
                                            {5, 310},
                                            {2, 470},
                                            {10, 420},
                                            {12, 199},
                                            {17, 730},
                                            {18, 250},
                                            {15, 999},
                                            {56, 6},
                                            {57, 1},
                                            {58, 27},
                                            {61, 7},
                                            {63, 40},
                                            {65, 1}}),
                                {{2, 90}, {6, 60}});
  const PersonSpec bram = Person("Bram", 2,
                                 PersonData({{7, 200},
                                             {6, 1000},
                                             {3, 400},
                                             {5, 400},
                                             {2, 300},
                                             {11, 560},
                                             {58, 27},
                                             {61, 7},
                                             {63, -20},
                                             {70, 5}}),
                                 {{1, 85}, {6, 70}});
  const PersonSpec pip = Person("Pip", 3,
                                PersonData({{7, 100},
                                            {6, 700},
                                            {3, 900},
                                            {5, 800},
                                            {2, 500},
                                            {56, -1},
                                            {57, 3},
                                            {58, 9},
                                            {61, 7},
                                            {70, 12}}),
                                {{4, 80}});
  const PersonSpec biscuit = Person("Biscuit", 4,
                                    PersonData({{7, 100},
                                                {6, 950},
                                                {3, 800},
                                                {5, 300},
                                                {2, 1000},
                                                {10, 700},
                                                {12, 350},
                                                {11, 120},
                                                {61, 7},
                                                {65, 2}}),
                                    {{3, 80}});
  const PersonSpec marmalade = Person("Marmalade", 5,
                                      PersonData({{7, 900},
                                                  {6, 200},
                                                  {3, 500},
                                                  {5, 600},
                                                  {2, 150},
                                                  {10, 640},
                                                  {12, 80},
                                                  {11, 10},
                                                  {61, 7},
                                                  {65, 5}}),
                                      {});
  // Kept by an older version of the game: the short record layout.
  const PersonSpec gwendolyn = Person("Gwendolyn", 6,
                                      PersonData({{7, 500},
                                                  {6, 500},
                                                  {3, 500},
                                                  {5, 500},
                                                  {2, 500},
                                                  {18, 1000},
                                                  {56, 9},
                                                  {57, 4},
                                                  {58, 27},
                                                  {63, 100},
                                                  {65, 1}},
                                                 80),
                                      {{1, 55}, {2, 20}}, 0x4);
  WriteUserData(root / "UserData",
                {{"User00000.iff", "Ada Thornbury", ada, ada.guid},
                 {"User00001.iff", "Bram Thornbury", bram, bram.guid},
                 {"User00002.iff", "Pip Thornbury", pip, pip.guid},
                 {"User00003.iff", "Biscuit", biscuit, biscuit.guid},
                 {"User00004.iff", "Marmalade", marmalade, marmalade.guid},
                 {"User00005.iff", "Gwendolyn Ash", gwendolyn, gwendolyn.guid},
                 {"User00006.iff", "Dmitri Vale", std::nullopt, 0xD0D0}},
                {{7,
                  3,
                  7,
                  20500,
                  1,
                  {ada.guid, bram.guid, pip.guid, biscuit.guid, marmalade.guid},
                  "Thornbury"}});

  const PersonSpec celeste = Person(
      "Celeste", 1, PersonData({{7, 300}, {58, 27}, {61, 2}, {56, 17}, {57, 6}, {65, 1}}), {});
  const PersonSpec felix =
      Person("Felix", 2, PersonData({{6, 900}, {58, 27}, {61, 2}, {56, 20}, {57, 0}}), {});
  const PersonSpec esme = Person("Esme", 3, PersonData({{2, 800}, {58, 27}, {61, 4}, {65, 1}}), {});
  WriteUserData(root / "UserData2",
                {{"User00000.iff", "Celeste Okonkwo", celeste, celeste.guid},
                 {"User00001.iff", "Felix Okonkwo", felix, felix.guid},
                 {"User00002.iff", "Esme Quillfeather", esme, esme.guid}},
                {{2, 12, 2, 3100, 0, {celeste.guid, felix.guid}, "Okonkwo"},
                 {4, 0, 4, 800, 0, {esme.guid}, "Quillfeather"}});
}

}  // namespace quill::testdata
