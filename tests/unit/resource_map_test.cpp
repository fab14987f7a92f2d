#include "inspect/resource_map.h"

#include <gtest/gtest.h>

#include "character_builder.h"

namespace quill {
namespace {

using testdata::Hex;
using testdata::LittleEndian32;
using testdata::MapEntry;
using testdata::ResourceMap;
using testdata::operator""_b;

Bytes InChunk(const Bytes& body, const std::string& label = "") {
  Bytes header = "rsmp"_b + testdata::BigEndian32(static_cast<std::int32_t>(76 + body.size())) +
                 Hex({0, 0, 0, 0x10}) + label;
  header.resize(76, '\0');
  return header + body;
}

std::vector<MapEntry> Entries(int count, int numberBase = 0) {
  std::vector<MapEntry> entries;
  for (int i = 0; i < count; ++i) {
    entries.push_back({numberBase + i, static_cast<std::uint16_t>(i), 0x10, "n\0"_b});
  }
  return entries;
}

// The type of each row from 1 on, up to the first untouched one.
std::vector<std::string> Types(const ResourceMapTable& table) {
  std::vector<std::string> types;
  for (int row = 1; row <= kLastResourceMapRow && !table[row].ResourceType.empty(); ++row)
    types.push_back(table[row].ResourceType);
  return types;
}

TEST(ResourceMap, GroupsFillConsecutiveRows) {
  using Rows = std::vector<std::string>;
  const struct {
    Bytes map;
    Rows types;
  } cases[] = {
      {ResourceMap({{"BMP_", Entries(2), {}}, {"STR#", Entries(1), {}}}), {"BMP_", "BMP_", "STR#"}},
      {ResourceMap({}), {}},
      {ResourceMap({{"A", {}, -5}}, -1), {}},  // negative counts: nothing, and no failure
      // A count of zero: the next group's type follows directly after it.
      {ResourceMap({{"EMPT", {}, {}}, {"FULL", Entries(2), {}}}), {"FULL", "FULL"}},
      // Counts are little-endian: 05 01 00 00 is 261.
      {ResourceMap({{"BIG_", Entries(261), {}}}), Rows(261, "BIG_")},
  };
  for (const auto& c : cases) {
    ResourceMapTable table;
    EXPECT_TRUE(DecodeResourceMap(InChunk(c.map), table));
    EXPECT_EQ(Types(table), c.types);
  }
}

TEST(ResourceMap, MagicIsSearchedFromTheChunkHeaderOn) {
  ResourceMapTable table;
  // A map inside the label comes first, so it is the one decoded.
  const Bytes inLabel = "pmsr\0\0\0\0"_b + LittleEndian32(1) + "LBLT"_b + LittleEndian32(1) +
                        LittleEndian32(9) + Hex({1, 0, 2, 0}) + "x\0"_b;
  DecodeResourceMap(InChunk(ResourceMap({{"BHAV", Entries(1), {}}}), inLabel), table);
  EXPECT_EQ(table[1].ResourceType, "TLBL");
  EXPECT_EQ(table[1].ResourceNumber, 9);
  EXPECT_THROW(DecodeResourceMap("no magic here"_b, table), ChunkFailure);
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
  EXPECT_EQ(table[1].ResourceType, "TEST");
  EXPECT_EQ(table[1].ResourceNumber, -1);
  EXPECT_EQ(table[1].ResourceWords, "012C0010");
  EXPECT_EQ(table[1].ResourceName, "ab\0"_b);
  EXPECT_EQ(table[2].ResourceName, "cd\xA3"_b);
  EXPECT_EQ(table[3].ResourceName, "ef\0"_b);
  EXPECT_EQ(table[4].ResourceName, "\0"_b);
}

TEST(ResourceMap, StopsAtFiveHundredRowsAndKeepsLaterRowsOfALongerMap) {
  ResourceMapTable table;
  const Bytes map = ResourceMap({{"ONE_", Entries(300), {}}, {"TWO_", Entries(201, 1000), {}}});
  EXPECT_THROW(DecodeResourceMap(InChunk(map), table), ChunkFailure);
  EXPECT_EQ(table[500].ResourceType, "TWO_");
  EXPECT_EQ(table[500].ResourceNumber, 1199);
  // A stated count far beyond the bytes ends where the bytes do.
  EXPECT_THROW(DecodeResourceMap(InChunk(ResourceMap({{"MANY", Entries(3), 0x7FFFFFFF}})), table),
               ChunkFailure);
  EXPECT_EQ(table[3].ResourceType, "MANY");
  EXPECT_EQ(table[5].ResourceType, "ONE_");  // row 4 is where the bytes ran out
}

}  // namespace
}  // namespace quill
