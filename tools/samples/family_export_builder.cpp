// SPDX-License-Identifier: GPL-3.0-or-later
#include "family_export_builder.h"

#include <fstream>
#include <stdexcept>

namespace quill::testdata {

namespace {

constexpr std::size_t kExportPlaces = 8;

Chunk Typed(const std::string& type, int id, Bytes body, const std::string& label = "") {
  return {type, static_cast<std::uint16_t>(id), 0x10, label, std::move(body), {}, {}};
}

// A small face on the thumbnail's backdrop, so each member's row looks like someone.
Bytes Thumbnail(Rgb skin) {
  constexpr int side = 25;
  return Bitmap(side, side, [skin](int x, int y) {
    const int dx = x - side / 2;
    const int dy = y - side / 2;
    return dx * dx + dy * dy < 80 ? skin : Rgb{230, 230, 215};
  });
}

MemberSpec Member(const std::string& name, std::int16_t id, std::int32_t version,
                  std::vector<std::int16_t> data, const std::string& biography, LooksSpec looks,
                  Rgb skin) {
  PersonSpec record{name, version, std::move(data), id, 0xF4000u + static_cast<std::uint32_t>(id),
                    {}};
  return {std::move(record), biography, {}, true, std::move(looks), skin, {}};
}

}  // namespace

Bytes ExportIndexBody(std::uint16_t familyId, const std::vector<std::uint16_t>& members) {
  Bytes body = LittleEndian32(0) + LittleEndian32(0x3F) + "iPXE"_b + LittleEndian16(familyId);
  for (std::size_t place = 0; place < kExportPlaces; ++place) {
    body += LittleEndian16(place < members.size() ? members[place] : std::uint16_t{0});
  }
  return body;
}

CharacterFile FamilyExportFile(const ExportSpec& exported) {
  CharacterFile file;
  std::vector<std::uint16_t> ids;
  std::vector<std::optional<PersonSpec>> records;
  for (const MemberSpec& member : exported.members) {
    ids.push_back(static_cast<std::uint16_t>(member.record.neighbourId));
    records.push_back(member.record);
  }
  if (exported.index) file.add(Typed("EXPi", 1, ExportIndexBody(exported.family.id, ids)));
  file.add(Typed("FAMI", exported.family.id, FamilyBody(exported.family)));
  if (!exported.family.name.empty()) {
    file.add(Typed("FAMs", exported.family.id, StringTable({{exported.family.name, ""}})));
    file.add(Typed("CTSS", 1000, StringTable({{exported.family.name, ""}})));
  }
  file.add(Typed("NBRS", 1, PeopleBody(records)));
  for (const MemberSpec& member : exported.members) {
    const int id = member.record.neighbourId;
    const Bytes names = NameAndDescription(member.record.name, member.biography);
    file.add(Typed("CTSS", id, names, member.record.name));
    if (member.wholeNameTable) {
      std::vector<TableString> all = {{member.record.name, ""}, {member.biography, ""}};
      all.insert(all.end(), member.otherLanguages.begin(), member.otherLanguages.end());
      file.add(Typed("CTSS", 2000 + id, StringTable(all), member.record.name));
    }
    file.add(Typed("uChr", id, BodyStrings(member.looks), "bodystring"));
    file.add(
        Typed("BMP_", id, member.thumbnailFile.value_or(Thumbnail(member.thumbnail)), "thumbnail"));
  }
  if (exported.house) {
    file.add(Typed("BMP_", 512, Bitmap(64, 48, exported.house->first), "Thumbnail"));
    file.add(Typed("BMP_", 1024, Bitmap(128, 96, exported.house->second), "Thumbnail"));
  }
  return file;
}

ExportSpec FamilyOfFour(bool oldLayout) {
  const std::int32_t version = oldLayout ? 0x4 : 0xA;
  const std::size_t length = oldLayout ? 80 : 256;
  const std::uint16_t familyId = 7;
  ExportSpec exported;
  exported.family = {familyId, 0, 31, 20450, 0, {}, "Pemberton", oldLayout ? 7 : 9};
  exported.members = {
      Member("Harriet", 21, version,
             PersonData({{2, 700},
                         {3, 450},
                         {5, 300},
                         {6, 810},
                         {7, 260},
                         {10, 400},
                         {11, 650},
                         {12, 100},
                         {15, 320},
                         {17, 200},
                         {18, 580},
                         {56, 5},
                         {57, 3},
                         {58, 27},
                         {61, familyId},
                         {63, 40},
                         {65, 1},
                         {70, 0}},
                        length),
             "Runs the village surgery and never forgets a birthday.",
             {"adult",
              "b006fafat_01,BODY=B006FAFatlgt_TT1",
              "c001fa_mercedes,HEAD-HEAD=C001FAlgt_Shannon01",
              "female",
              "27",
              "lgt",
              {"b107fafit_01,BODY=B107FAFitlgt_swim", "b210fafit_01,BODY=B210FAFitlgt_formal"}},
             {236, 188, 150}),
      Member("Clement", 22, version,
             PersonData({{2, 500},
                         {3, 800},
                         {5, 600},
                         {6, 300},
                         {7, 900},
                         {10, 700},
                         {11, 200},
                         {12, 850},
                         {15, 100},
                         {17, 500},
                         {18, 300},
                         {56, 6},
                         {57, 1},
                         {58, 27},
                         {61, familyId},
                         {63, -20},
                         {65, 0},
                         {70, 6}},
                        length),
             "Keeps the lawn at regulation height.",
             {"adult",
              "b003mafit_01,BODY=B003MAFitmed_Navy",
              "c008ma_bradley,HEAD-HEAD=C008MAmed_Bradley",
              "male",
              "27",
              "med",
              {}},
             {198, 134, 96}),
      Member("Wren", 23, version,
             PersonData({{2, 900},
                         {3, 600},
                         {5, 1000},
                         {6, 500},
                         {7, 100},
                         {10, 0},
                         {11, 100},
                         {12, 0},
                         {15, 400},
                         {17, 200},
                         {18, 300},
                         {56, -1},
                         {57, 3},
                         {58, 9},
                         {61, familyId},
                         {63, 10},
                         {65, 1},
                         {70, 11}},
                        length),
             "Collects snails.",
             {"child",
              "b002fcchd_01,BODY=B002FCChdlgt_Overalls",
              "c004fc_wren,HEAD-HEAD=C004FClgt_Pigtails",
              "female",
              "9",
              "lgt",
              {}},
             {240, 200, 170}),
      Member("Biscuit", 24, version,
             PersonData({{2, 1000},
                         {3, 700},
                         {5, 900},
                         {6, 800},
                         {7, 300},
                         {10, 500},
                         {11, 200},
                         {12, 300},
                         {56, 0},
                         {58, 27},
                         {61, familyId},
                         {65, 2}},
                        length),
             "Good boy.", {"dog", "uaa012dog_brown,BODY=uaa012dogbrown", "", "male", "", "unk", {}},
             {170, 120, 60}),
  };
  for (MemberSpec& member : exported.members) {
    exported.family.members.push_back(member.record.guid);
    member.wholeNameTable = !oldLayout;
    for (const MemberSpec& other : exported.members) {
      if (other.record.neighbourId != member.record.neighbourId) {
        member.record.relationships.push_back({other.record.neighbourId, {70, 40}});
      }
    }
  }
  exported.members[0].otherLanguages = {{"Harriette", "", 3}, {"Henriette", "", 4}};
  return exported;
}

Bytes DamagedFamilyExport() {
  Bytes bytes = FamilyExportFile(FamilyOfFour()).build();
  // Cut off inside the dog's body strings, before its thumbnail (a 2030-byte chunk).
  bytes.resize(bytes.size() - 2100);
  return bytes;
}

void WriteSampleFamilies(const std::filesystem::path& exported,
                         const std::filesystem::path& imported) {
  std::filesystem::create_directories(exported);
  std::filesystem::create_directories(imported);
  FamilyExportFile(FamilyOfFour()).write(exported / "Pemberton.FAM");
  FamilyExportFile(FamilyOfFour(true)).write(imported / "Pemberton (old).FAM");
  const Bytes bytes = DamagedFamilyExport();
  std::ofstream out(imported / "Damaged.FAM", std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write Damaged.FAM");
}

}  // namespace quill::testdata
