// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the folders the viewer's windows are measured on, with /usr/bin/time -v around the
// viewer (see docs/developing.md):
//
//   window_cases family FOLDER MEMBERS SIDE
//     FOLDER/Big.FAM: a house and a family of MEMBERS Sims, each with a SIDE x SIDE thumbnail
//     (run-length coded, so that a hundred of 1024 x 1024 fit an export's 64 MiB), found through
//     the family's list of members (an export's index holds eight places).
//   window_cases hoods FOLDER COUNT PEOPLE
//     FOLDER/UserData000 ... : COUNT neighbourhoods, each a Characters folder beside a
//     Neighborhood.iff of PEOPLE Sims in families of four (30000 make about 64 MB).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "family_export_builder.h"
#include "neighbourhood_builder.h"

namespace {

namespace fs = std::filesystem;
using namespace quill::testdata;

// Each Sim's relationships in the neighbourhoods: about 2 KB a Sim, as in a long-played game.
constexpr int kRelationships = 150;

void WriteFamily(const fs::path& folder, int members, int side) {
  ExportSpec exported;
  // An index holds eight places; a larger family is found through its list of members.
  exported.index = members <= 8;
  exported.family = {7, 0, 31, 20450, 0, {}, "Measured", 9};
  // Every export the game writes carries its house's pictures.
  exported.house = {{{90, 140, 200}, {40, 160, 60}}};
  for (int member = 0; member < members; ++member) {
    const auto id = static_cast<std::int16_t>(100 + member);
    const std::uint32_t guid = 0xF5000u + static_cast<std::uint32_t>(member);
    exported.family.members.push_back(guid);
    MemberSpec exportedMember;
    exportedMember.record = {
        "Member " + std::to_string(member), 0xA, PersonData({{61, 7}}), id, guid, {}};
    exportedMember.biography = "Measured.";
    exportedMember.thumbnailFile = RunLengthBitmap(side, side);
    exported.members.push_back(exportedMember);
  }
  fs::create_directories(folder);
  FamilyExportFile(exported).write(folder / "Big.FAM");
}

void WriteNeighbourhoods(const fs::path& folder, int count, int people) {
  const Bytes neighbourhood = LargeNeighbourhood(people, kRelationships).build();
  for (int hood = 0; hood < count; ++hood) {
    char name[32];
    std::snprintf(name, sizeof name, "UserData%03d", hood);
    fs::create_directories(folder / name / "Characters");
    std::ofstream(folder / name / "Neighborhood.iff", std::ios::binary) << neighbourhood;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s family FOLDER MEMBERS SIDE | hoods FOLDER COUNT PEOPLE\n",
                 argv[0]);
    return 2;
  }
  const std::string what = argv[1];
  const int first = std::atoi(argv[3]);
  const int second = std::atoi(argv[4]);
  if (what == "family" && first >= 0 && second > 0) {
    WriteFamily(argv[2], first, second);
  } else if (what == "hoods" && first > 0 && second >= 0) {
    WriteNeighbourhoods(argv[2], first, second);
  } else {
    std::fprintf(stderr, "%s: unknown case or bad numbers\n", argv[0]);
    return 2;
  }
  return 0;
}
