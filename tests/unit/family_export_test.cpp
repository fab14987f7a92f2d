// SPDX-License-Identifier: GPL-3.0-or-later
// A file's chunks as the walk lists them, and the resource map decoded from one. Family exports:
// the body strings, the export index and how the members are found.
#include "inspect/family_export.h"

#include <gtest/gtest.h>

#include <vector>

#include "chunkfile/chunk_walk.h"
#include "family_export_builder.h"
#include "inspect/resource_map.h"

namespace quill {
namespace {

using namespace testdata;
using Lines = std::vector<std::string>;

struct Walk : ChunkWalkSink {
  Lines lines;
  ChunkTable table;
  void appendChunkLine(const std::string& line) override { lines.push_back(line); }
  bool continueAfterChunk() override { return true; }
  explicit Walk(const Bytes& image) { WalkChunks(image, table, *this); }
};

// Where each chunk starts, what its row holds, and that nothing past a cut or a bad size is listed
// are checked on every input by the chunk-walk fuzz target; these are the lines a player sees.
TEST(ChunkWalk, WhereTheWalkEndsAndAThousandRowsAtMost) {
  const Bytes oneChunk = CharacterFile().add({"OBJD", 1, 0, "one", "body"_b, {}, {}}).build();
  // A file's image, and the chunk lines it gives.
  const std::pair<Bytes, Lines> cases[] = {
      {FileHeader() + "CTSS"_b + BigEndian32(88) + Hex({0, 1, 0, 0}) + "AB\0junk"_b +
           Bytes(57, '\0') + Bytes(12, 'x') + "BMP_"_b + BigEndian32(80) + Hex({0, 2, 0, 0}) +
           Bytes(68, '\0'),
       {"1: CTSS [AB]", "2: BMP_ []"}},
      {FileHeader() + "CTSS"_b + BigEndian32(8), {"1: CTSS []"}},  // 72 bytes, no label
      {oneChunk + "QQQQ"_b + BigEndian32(500), {"1: OBJD [one]", "2: QQQQ []"}},  // cut short
      // At the end of the walk: a last chunk of type and size only, ending exactly at the end of
      // the file, is listed; one byte less leaves its size incomplete, and it is not.
      {oneChunk + "QQQQ"_b + BigEndian32(8), {"1: OBJD [one]", "2: QQQQ []"}},
      {oneChunk + "QQQQ"_b + BigEndian32(8).substr(0, 3), {"1: OBJD [one]"}},
      {CharacterFile()
           .add({"STR#", 1, 0, "", "", {}, "faces\0hidden"_b})
           .add({"STR#", 2, 0, "", "", {}, Bytes(64, 'L')})
           .build(),
       {"1: STR# [faces]", "2: STR# [" + Bytes(64, 'L') + "]"}},
      {CharacterFile().add({"T\x80\xE9X"_b, 1, 0, "Jos\xE9 \x93q\x94"_b, "", {}, {}}).build(),
       {"1: T\u20AC\u00E9X [Jos\u00E9 \u201Cq\u201D]"}},  // the game's code page
  };
  for (const auto& [image, lines] : cases) EXPECT_EQ(Walk(image).lines, lines) << image.size();
  // A thousand rows at most, then the message; the tenth row's number has two digits.
  for (const int chunks : {999, 1000, 1001}) {
    CharacterFile file;
    for (int i = 0; i < chunks; ++i) file.add({"XXXX", 0, 0, "", "", {}, {}});
    const Walk walk(file.build());
    EXPECT_EQ(walk.lines.size(), chunks >= 1000 ? 1001u : 999u) << chunks;
    EXPECT_EQ(walk.lines.back() == kTooManyChunks, chunks >= 1000) << chunks;
    EXPECT_EQ(walk.lines[9].substr(0, 4), "10: ");
  }
}

Bytes InChunk(const Bytes& body, const std::string& label = "") {
  Bytes header = "rsmp"_b + testdata::BigEndian32(static_cast<std::int32_t>(76 + body.size())) +
                 Hex({0, 0, 0, 0x10}) + label;
  header.resize(76, '\0');
  return header + body;
}

std::vector<MapEntry> Entries(int count) {
  return std::vector<MapEntry>(static_cast<std::size_t>(count), {0, 0, 0x10, "n\0"_b});
}

// The type of each row from 1 on, up to the first untouched one.
std::vector<std::string> Types(const ResourceMapTable& table) {
  std::vector<std::string> types;
  for (int row = 1; row <= kLastResourceMapRow && !table[row].ResourceType.empty(); ++row)
    types.push_back(table[row].ResourceType);
  return types;
}

TEST(ResourceMap, GroupsFillConsecutiveRowsWithLittleEndianFieldsHexWordsAndNames) {
  using Rows = std::vector<std::string>;
  // A map inside the label comes before the chunk's own, so it is the one decoded.
  const Bytes inLabel = "pmsr\0\0\0\0"_b + LittleEndian32(1) + "LBLT"_b + LittleEndian32(1) +
                        LittleEndian32(9) + Hex({1, 0, 2, 0}) + "x\0"_b;
  Rows fiveHundred(300, "ONE_");
  fiveHundred.resize(kLastResourceMapRow, "TWO_");
  // The chunk, the type of each row it fills, and whether it decodes to its end rather than failing
  // with the rows so far kept.
  const std::tuple<Bytes, Rows, bool> cases[] = {
      {InChunk(ResourceMap({{"BMP_", Entries(2), {}}, {"STR#", Entries(1), {}}})),
       {"BMP_", "BMP_", "STR#"},
       true},
      {InChunk(ResourceMap({})), {}, true},
      {InChunk(ResourceMap({{"A", {}, -5}}, -1)), {}, true},  // negative counts: nothing
      // A count of zero: the next group's type follows directly after it.
      {InChunk(ResourceMap({{"EMPT", {}, {}}, {"FULL", Entries(2), {}}})), {"FULL", "FULL"}, true},
      // Counts are little-endian: 05 01 00 00 is 261.
      {InChunk(ResourceMap({{"BIG_", Entries(261), {}}})), Rows(261, "BIG_"), true},
      {InChunk(ResourceMap({{"BHAV", Entries(1), {}}}), inLabel), {"TLBL"}, true},
      {"no magic here"_b, {}, false},
      {InChunk(ResourceMap({{"ONE_", Entries(300), {}}, {"TWO_", Entries(201), {}}})), fiveHundred,
       false},
      // A stated count far beyond the bytes ends where the bytes do.
      {InChunk(ResourceMap({{"MANY", Entries(3), 0x7FFFFFFF}})), Rows(4, "MANY"), false},
  };
  for (const auto& [chunk, types, decodedWhole] : cases) {
    ResourceMapTable table;
    bool whole = false;
    try {
      whole = DecodeResourceMap(chunk, table);
    } catch (const ChunkFailure&) {
    }
    EXPECT_EQ(whole, decodedWhole) << types.size();
    EXPECT_EQ(Types(table), types);
  }
  // Rows past a shorter map keep what a longer one left.
  ResourceMapTable table;
  DecodeResourceMap(InChunk(ResourceMap({{"LONG", Entries(2), {}}})), table);
  DecodeResourceMap(InChunk(ResourceMap({{"SHRT", Entries(1), {}}})), table);
  EXPECT_EQ(Types(table), (Rows{"SHRT", "LONG"}));
  ResourceMapTable fields;  // little-endian fields, hex words, names to their terminator
  const Bytes map = ResourceMap({{"TEST",
                                  {{-1, 0x012C, 0x0010, "ab\0\xA3"_b},  // filler skipped
                                   {2, 0, 0, "cd\xA3\xA3"_b},  // 0xA3 ends it, the second skipped
                                   {3, 0, 0, "ef\0"_b},        // 0x00 then 0x00: next entry's
                                   {0, 0, 0, "\0"_b}},
                                  {}}});
  ASSERT_TRUE(DecodeResourceMap(InChunk(map), fields));
  EXPECT_EQ(fields[1].ResourceNumber, -1);
  EXPECT_EQ(fields[1].ResourceWords, "012C0010");
  const Bytes names[] = {"ab\0"_b, "cd\xA3"_b, "ef\0"_b, "\0"_b};
  for (int row = 1; row <= 4; ++row) EXPECT_EQ(fields[row].ResourceName, names[row - 1]) << row;
}

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
      found.append("/")
          .append(std::to_string(outfit.index))
          .append(":")
          .append(Shown(outfit.garment));
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

TEST(FamilyExport, MembersFoundThroughTheIndexOrTheFamilyAndTheIndexReadWhole) {
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
  // A short index is the members test's (a 29-byte index gives the missing-index problem).
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
