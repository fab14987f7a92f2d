#include "inspect/resource_map.h"

#include <gtest/gtest.h>

#include "character_builder.h"

namespace quill {
namespace {

using namespace testdata;

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
