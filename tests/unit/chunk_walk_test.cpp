// A file's chunks as the walk lists them, and the resource map decoded from one.
#include "chunkfile/chunk_walk.h"

#include <gtest/gtest.h>

#include <vector>

#include "character_builder.h"
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
TEST(ChunkWalk, WhereTheWalkEnds) {
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
}

TEST(ChunkWalk, AThousandRowsAtMostThenTheMessage) {
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

TEST(ResourceMap, GroupsFillConsecutiveRowsUpToTheTablesEnd) {
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
}

TEST(ResourceMap, LittleEndianFieldsHexWordsAndNamesToTheirTerminator) {
  ResourceMapTable table;
  const Bytes map = ResourceMap({{"TEST",
                                  {{-1, 0x012C, 0x0010, "ab\0\xA3"_b},  // filler skipped
                                   {2, 0, 0, "cd\xA3\xA3"_b},  // 0xA3 ends it, the second skipped
                                   {3, 0, 0, "ef\0"_b},        // 0x00 then 0x00: next entry's
                                   {0, 0, 0, "\0"_b}},
                                  {}}});
  ASSERT_TRUE(DecodeResourceMap(InChunk(map), table));
  EXPECT_EQ(table[1].ResourceNumber, -1);
  EXPECT_EQ(table[1].ResourceWords, "012C0010");
  const Bytes names[] = {"ab\0"_b, "cd\xA3"_b, "ef\0"_b, "\0"_b};
  for (int row = 1; row <= 4; ++row) EXPECT_EQ(table[row].ResourceName, names[row - 1]) << row;
}

}  // namespace
}  // namespace quill
