// Family exports: the body strings, the export index and how the members are found.
#include "inspect/family_export.h"

#include <gtest/gtest.h>

#include "family_export_builder.h"

namespace quill {
namespace {

using namespace testdata;

std::string Shown(const std::optional<Garment>& garment) {
  return garment ? garment->mesh + "|" + garment->part + "|" + garment->texture : "-";
}

TEST(BodyStrings, FieldsAndOutfitsOfTheUsEnglishTable) {
  LooksSpec dog{"dog", "uaa012dog_brown,BODY=uaa012dogbrown", "", "male", "", "unk", {}};
  LooksSpec dressed;
  dressed.outfits = {"b010fafit_01,BODY=B010FAFitlgt_01", "no outfit", "x,=y"};
  Bytes otherLanguage = BodyStrings({});
  otherLanguage[4] = 3;  // the skeleton string in French: the table's first US string is the body
  // A body-string table; its skeleton, body, head, gender, age, skin tone and outfits, by "/".
  // Catches a field swapped, or a string of another language read as US English's.
  const std::string adult =
      "adult/b006fafat_01|BODY|B006FAFatlgt_TT1/c001fa_mercedes|HEAD-HEAD|"
      "C001FAlgt_Shannon01/female/27/lgt";
  const std::pair<Bytes, std::string> cases[] = {
      {BodyStrings({}), adult},
      {BodyStrings(dog), "dog/uaa012dog_brown|BODY|uaa012dogbrown/-/male//unk"},
      {BodyStrings(dressed), adult + "/15:b010fafit_01|BODY|B010FAFitlgt_01"},
      {StringTable({{"child", ""}, {"body", ""}}), "child/-/-///"},
      {otherLanguage,
       "b006fafat_01,BODY=B006FAFatlgt_TT1/c001fa_mercedes|HEAD-HEAD|C001FAlgt_Shannon01/-/27/"
       "lgt/"},
  };
  for (const auto& [table, expected] : cases) {
    const std::optional<BodyLooks> looks = ReadBodyStrings(table);
    ASSERT_TRUE(looks) << expected;
    std::string found = looks->skeleton + "/" + Shown(looks->body) + "/" + Shown(looks->head) +
                        "/" + looks->gender + "/" + looks->age + "/" + looks->skinTone;
    for (const Outfit& outfit : looks->outfits)
      found += "/" + std::to_string(outfit.index) + ":" + Shown(outfit.garment);
    EXPECT_EQ(found, expected);
  }
  Bytes cut = BodyStrings({});
  cut.resize(40);
  for (const Bytes& broken : {cut, "ab"_b, StringTable({{"adult", "", 2}})}) {
    EXPECT_FALSE(ReadBodyStrings(broken)) << broken;
  }
}

// "family name|cash|problem" then per member "name:skeleton:picture:record", picture and record
// as + or -.
std::string Summary(const std::optional<FamilyExport>& read) {
  if (!read) return "none";
  std::string text = read->name.value_or("?") + "|" +
                     (read->family ? std::to_string(read->family->cash) : "?") + "|" +
                     read->problem;
  for (const FamilyMember& member : read->members) {
    text += " " + member.name + ":" + (member.looks ? member.looks->skeleton : "?") + ":" +
            (member.thumbnail.empty() ? "-" : "+") + ":" + (member.guid ? "+" : "-");
  }
  return text;
}

TEST(FamilyExport, MembersFoundThroughTheIndexOrTheFamilyInBothLayouts) {
  const std::string four = " Harriet:adult:+:+ Clement:adult:+:+ Wren:child:+:+ Biscuit:dog:+:+";
  ExportSpec unindexed = FamilyOfFour();
  unindexed.index = false;
  CharacterFile reordered = FamilyExportFile(unindexed);
  reordered.add({"EXPi", 2, 0x10, "", ExportIndexBody(7, {0, 24, 99, 0, 21, 24}), {}, {}});
  reordered.add({"EXPi", 1, 0x10, "", ExportIndexBody(7, {22}), {}, {}});
  ExportSpec strangerFamily = FamilyOfFour(true);
  strangerFamily.family.members = {0xF4018, 1};  // Biscuit's GUID, and one no record carries
  strangerFamily.index = false;
  Bytes shortIndex = ExportIndexBody(7, {21});
  shortIndex.resize(29);
  ExportSpec badIndex = FamilyOfFour();
  badIndex.index = false;
  CharacterFile badIndexFile = FamilyExportFile(badIndex);
  badIndexFile.add({"EXPi", 1, 0x10, "", shortIndex, {}, {}});
  const std::string noIndex = "The export's list of members is missing or damaged.";
  // An export's bytes, the player's language slot, what is read.
  const std::tuple<Bytes, int, std::string> cases[] = {
      {FamilyExportFile(FamilyOfFour()).build(), 1, "Pemberton|20450|" + four},
      {FamilyExportFile(FamilyOfFour(true)).build(), 1, "Pemberton|20450|" + four},
      {FamilyExportFile(FamilyOfFour()).build(), 4,
       "Pemberton|20450| Henriette:adult:+:+" + four.substr(four.find(" Clement"))},
      {FamilyExportFile(FamilyOfFour(true)).build(), 4, "Pemberton|20450|" + four},
      {FamilyExportFile(unindexed).build(), 1, "Pemberton|20450|" + noIndex + four},
      {badIndexFile.build(), 1, "Pemberton|20450|" + noIndex + four},
      {FamilyExportFile(strangerFamily).build(), 1,
       "Pemberton|20450|" + noIndex + " Biscuit:dog:+:+"},
      // The first index counts; empty places and repeats are left out. A member with neither
      // record nor name is called so, not left blank.
      {reordered.build(), 1,
       "Pemberton|20450|The export holds no record of one of its members. Biscuit:dog:+:+ "
       "(unnamed Sim):?:-:- Harriet:adult:+:+"},
      {DamagedFamilyExport(), 1,
       "Pemberton|20450|The family export is damaged; what follows the damage is missing." +
           four.substr(0, four.find(" Biscuit")) + " Biscuit:?:-:+"},
      {LookalikeCharacter("Ada", "Not a family.").build(), 1, "none"},
      {FileHeader(), 1, "none"},
      {"", 1, "none"},
  };
  for (const auto& [bytes, slot, expected] : cases) {
    SCOPED_TRACE(expected);
    EXPECT_EQ(Summary(ReadFamilyExport(bytes, slot)), expected);
  }
}

// A short index is the members test's (a 29-byte index gives the missing-index problem).
TEST(FamilyExport, IndexReadsTheFamilyAndEveryPlace) {
  Bytes wrongMark = ExportIndexBody(7, {21});
  wrongMark[8] = 'X';
  const std::optional<ExportIndex> index =
      ReadExportIndex(ExportIndexBody(0xFFFF, {1, 0, 0, 0, 0, 0, 0, 0xFFFF}));
  ASSERT_TRUE(index);
  EXPECT_EQ(index->familyId, 0xFFFF);
  EXPECT_EQ(index->members, (std::vector<int>{1, 0xFFFF}));
  EXPECT_FALSE(ReadExportIndex(wrongMark));
}

// An export's names and biographies are capped where they are read: a 200,000-character name and
// a 2,000,000-character biography took 19 s and 3 GB in the family window, and a 10 MB family
// name gave a 10 MB JSON line. Catches a reader that keeps either whole, or escapes the name's
// controls only at some displays.
TEST(FamilyExport, NamesAndBiographiesAreCappedAndVisible) {
  ExportSpec exported = FamilyOfFour();
  exported.family.name = std::string(10'000'000, 'F');
  exported.members[0].record.name = std::string(200'000, 'n');
  exported.members[0].biography = std::string(2'000'000, 'b');
  exported.members[1].record.name = "Tab\tNew\nLine\x1B[31m";
  const std::optional<FamilyExport> read = ReadFamilyExport(FamilyExportFile(exported).build(), 1);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->name, std::string(300, 'F') + "\u2026");
  EXPECT_EQ(read->members.at(0).name, std::string(300, 'n') + "\u2026");
  EXPECT_EQ(read->members.at(0).biography, std::string(30000, 'b') + "\u2026");
  EXPECT_EQ(read->members.at(1).name, "Tab\u2409New\u240ALine\u241B[31m");
}

}  // namespace
}  // namespace quill
