// Writes the folders the viewer's windows are measured on, with /usr/bin/time -v around the
// viewer (see docs/developing.md):
//
//   window_cases family FOLDER MEMBERS SIDE
//     FOLDER/Big.FAM: a family of MEMBERS Sims, each with a SIDE x SIDE thumbnail, found through
//     the family's list of members (an export's index holds eight places).
//   window_cases hoods FOLDER COUNT MEGABYTES
//     FOLDER/Hood000 ... : COUNT neighbourhoods, each a Characters folder beside a
//     Neighborhood.iff of about MEGABYTES MB whose families' names follow the bulk of its bytes.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "family_export_builder.h"

namespace {

namespace fs = std::filesystem;
using namespace quill::testdata;

void WriteFamily(const fs::path& folder, int members, int side) {
  ExportSpec exported;
  exported.index = false;
  exported.family = {7, 0, 31, 20450, 0, {}, "Measured", 9};
  for (int member = 0; member < members; ++member) {
    const auto id = static_cast<std::int16_t>(100 + member);
    const std::uint32_t guid = 0xF5000u + static_cast<std::uint32_t>(member);
    exported.family.members.push_back(guid);
    MemberSpec spec;
    spec.record = {"Member " + std::to_string(member), 0xA, PersonData({{61, 7}}), id, guid, {}};
    spec.biography = "Measured.";
    spec.thumbnailSide = side;
    exported.members.push_back(spec);
  }
  fs::create_directories(folder);
  FamilyExportFile(exported).write(folder / "Big.FAM");
}

void WriteNeighbourhoods(const fs::path& folder, int count, int megabytes) {
  for (int hood = 0; hood < count; ++hood) {
    char name[16];
    std::snprintf(name, sizeof name, "Hood%03d", hood);
    fs::create_directories(folder / name / "Characters");
    CharacterFile file;
    file.add({"XXXX", 1, 0, "bulk", Bytes(static_cast<std::size_t>(megabytes) << 20, 'x'), {}, {}});
    for (std::uint16_t family = 1; family <= 3; ++family) {
      const FamilySpec spec{family, 0, family, 1000, 0, {}, "Family " + std::to_string(family), 9};
      file.add({"FAMI", family, 0x10, "", FamilyBody(spec), {}, {}});
      file.add({"FAMs", family, 0x10, "", StringTable({{spec.name, ""}}), {}, {}});
    }
    file.write(folder / name / "Neighborhood.iff");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s family FOLDER MEMBERS SIDE | hoods FOLDER COUNT MEGABYTES\n",
                 argv[0]);
    return 2;
  }
  const std::string what = argv[1];
  const int first = std::atoi(argv[3]);
  const int second = std::atoi(argv[4]);
  if (what == "family" && first > 0 && second > 0) {
    WriteFamily(argv[2], first, second);
  } else if (what == "hoods" && first > 0 && second >= 0) {
    WriteNeighbourhoods(argv[2], first, second);
  } else {
    std::fprintf(stderr, "%s: unknown case or bad numbers\n", argv[0]);
    return 2;
  }
  return 0;
}
