#include "inspect/resource_map.h"

#include <gtest/gtest.h>

#include "character_builder.h"

namespace quill {
namespace {

using testdata::Hex;
using testdata::LittleEndian32;
using testdata::MapEntry;
using testdata::MapGroup;
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

TEST(ResourceMap, DecodesGroupsIntoConsecutiveRows) {
  ResourceMapTable table;
  const Bytes map = ResourceMap({{"BMP_", Entries(3), {}}, {"STR#", Entries(3, 100), {}}});
  EXPECT_TRUE(DecodeResourceMap(InChunk(map), table));
  for (int row = 1; row <= 3; ++row) EXPECT_EQ(table[row].ResourceType, "BMP_");
  for (int row = 4; row <= 6; ++row) EXPECT_EQ(table[row].ResourceType, "STR#");
  EXPECT_EQ(table[4].ResourceNumber, 100);
  EXPECT_TRUE(table[7].ResourceType.empty());
  EXPECT_TRUE(table[0].ResourceType.empty());
}

TEST(ResourceMap, FieldsAreLittleEndianAndWordsReadAsHex) {
  ResourceMapTable table;
  const Bytes map = ResourceMap({{"CTSS", {{-1, 0x012C, 0x0010, "Name\0"_b}}, {}}});
  DecodeResourceMap(InChunk(map), table);
  EXPECT_EQ(table[1].ResourceType, "CTSS");
  EXPECT_EQ(table[1].ResourceNumber, -1);
  EXPECT_EQ(table[1].ResourceWords, "012C0010");
  EXPECT_EQ(table[1].ResourceName, "Name\0"_b);
  EXPECT_EQ(ReverseString("pmsr"), "rsmp");
  EXPECT_EQ(ReverseString(""), "");
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
  EXPECT_THROW(DecodeResourceMap("pms"_b, table), ChunkFailure);
}

TEST(ResourceMap, EmptyAndNegativeCountsWriteNothingAndGoOn) {
  ResourceMapTable table;
  EXPECT_TRUE(DecodeResourceMap(InChunk(ResourceMap({})), table));
  EXPECT_TRUE(DecodeResourceMap(InChunk(ResourceMap({{"A", {}, -5}}, -1)), table));
  EXPECT_TRUE(table[1].ResourceType.empty());
  // N = 0: the next group's type follows directly after that group's count.
  DecodeResourceMap(InChunk(ResourceMap({{"EMPT", {}, {}}, {"FULL", Entries(2), {}}})), table);
  EXPECT_EQ(table[1].ResourceType, "FULL");
  EXPECT_EQ(table[2].ResourceType, "FULL");
}

TEST(ResourceMap, NameTerminatorsAndTheOneSkippedFiller) {
  ResourceMapTable table;
  const Bytes map = ResourceMap({{"TEST",
                                  {{1, 0, 0, "ab\0\xA3"_b},    // 0x00 then filler: filler skipped
                                   {2, 0, 0, "cd\xA3\xA3"_b},  // 0xA3 ends it, the second skipped
                                   {3, 0, 0, "ef\0"_b},        // 0x00 then 0x00: next entry's
                                   {0, 0, 0, "\0"_b}},
                                  {}}});
  ASSERT_TRUE(DecodeResourceMap(InChunk(map), table));
  EXPECT_EQ(table[1].ResourceName, "ab\0"_b);
  EXPECT_EQ(table[2].ResourceName, "cd\xA3"_b);
  EXPECT_EQ(table[3].ResourceName, "ef\0"_b);
  EXPECT_EQ(table[4].ResourceNumber, 0);
  EXPECT_EQ(table[4].ResourceName, "\0"_b);
}

TEST(ResourceMap, CountsAreSignedLittleEndian) {
  ResourceMapTable table;
  // The count's bytes are 05 01 00 00: 261 entries.
  ASSERT_EQ(LittleEndian32(261), Hex({5, 1, 0, 0}));
  const Bytes map = ResourceMap({{"BIG_", Entries(261), {}}});
  ASSERT_TRUE(DecodeResourceMap(InChunk(map), table));
  EXPECT_EQ(table[261].ResourceType, "BIG_");
  EXPECT_TRUE(table[262].ResourceType.empty());
}

TEST(ResourceMap, StopsAtFiveHundredEntries) {
  ResourceMapTable table;
  const Bytes map = ResourceMap({{"ONE_", Entries(300), {}}, {"TWO_", Entries(201, 1000), {}}});
  EXPECT_THROW(DecodeResourceMap(InChunk(map), table), ChunkFailure);
  EXPECT_EQ(table[300].ResourceType, "ONE_");
  EXPECT_EQ(table[500].ResourceType, "TWO_");
  EXPECT_EQ(table[500].ResourceNumber, 1199);
  // A stated count far beyond the bytes also ends at the table's end, not at the count.
  ResourceMapTable other;
  EXPECT_THROW(DecodeResourceMap(InChunk(ResourceMap({{"MANY", Entries(3), 0x7FFFFFFF}})), other),
               ChunkFailure);
  EXPECT_EQ(other[3].ResourceType, "MANY");
}

TEST(ResourceMap, AShorterMapLeavesTheLongerOnesLaterRows) {
  ResourceMapTable table;
  DecodeResourceMap(InChunk(ResourceMap({{"LONG", Entries(10), {}}})), table);
  DecodeResourceMap(InChunk(ResourceMap({{"SHRT", Entries(4), {}}})), table);
  EXPECT_EQ(table[4].ResourceType, "SHRT");
  EXPECT_EQ(table[5].ResourceType, "LONG");
  EXPECT_EQ(table[10].ResourceType, "LONG");
}

TEST(ResourceMap, TruncationAtEveryByteKeepsWhatWasWritten) {
  const Bytes full = InChunk(ResourceMap({{"TYPE", {{7, 0x1234, 0x5678, "name\0\xA3"_b}}, {}}}));
  for (std::size_t length = 0; length < full.size(); ++length) {
    ResourceMapTable table;
    table[1].ResourceName = "before";
    table[1].ResourceWords = "earlier!";
    const Bytes cut = full.substr(0, length);
    bool completed = false;
    try {
      completed = DecodeResourceMap(cut, table);
    } catch (const ChunkFailure&) {
    }
    const std::size_t nameEnd = full.size() - 1;  // the filler byte is optional
    EXPECT_EQ(completed, length >= nameEnd) << length;
    if (!completed) {
      // A name cut short is never stored; nor are words cut short.
      EXPECT_EQ(table[1].ResourceName, "before") << length;
      EXPECT_EQ(table[1].ResourceWords == "earlier!", length < full.size() - 6) << length;
    }
  }
}

TEST(ResourceMap, RowsBeyondTheChunkTableEndBeforeReading) {
  ChunkTable chunks;
  ResourceMapTable table;
  EXPECT_THROW(DecodeResourceMap(1001, chunks, table), ChunkFailure);
  EXPECT_THROW(DecodeResourceMap(-1, chunks, table), ChunkFailure);
  const Bytes chunk = InChunk(ResourceMap({{"OKAY", Entries(1), {}}}));
  chunks[5].ChunkData = chunk;
  EXPECT_TRUE(DecodeResourceMap(5, chunks, table));
  EXPECT_EQ(table[1].ResourceType, "OKAY");
}

}  // namespace
}  // namespace quill
