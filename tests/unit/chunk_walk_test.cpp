#include "chunkfile/chunk_walk.h"

#include <gtest/gtest.h>

#include <vector>

#include "character_builder.h"

namespace quill {
namespace {

using testdata::BigEndian32;
using testdata::CharacterFile;
using testdata::FileHeader;
using testdata::Hex;
using testdata::operator""_b;
using Lines = std::vector<std::string>;

struct Walk : ChunkWalkSink {
  Lines lines;
  ChunkTable table;
  int turns = 0;
  int stopAfter = -1;
  Bytes image;  // kept, since the rows point into it
  void appendChunkLine(const std::string& line) override { lines.push_back(line); }
  bool continueAfterChunk() override { return ++turns != stopAfter; }
  explicit Walk(Bytes bytes, int stop = -1) : stopAfter(stop), image(std::move(bytes)) {
    WalkChunks(image, table, *this);
  }
};

Bytes Label(const std::string& start) {
  Bytes field = start;
  field.resize(64, '\0');
  return field;
}

TEST(ChunkWalk, ListsEachChunkWithRowTypeAndLabel) {
  // Two chunks of 88 and 80 bytes: 64 + 88 + 80 = 232 bytes in all.
  const Walk walk(FileHeader() + "CTSS"_b + BigEndian32(88) + Hex({0, 1, 0, 0}) +
                  Label("AB\0junk"_b) + Bytes(12, 'x') + "BMP_"_b + BigEndian32(80) +
                  Hex({0, 2, 0, 0}) + Label("") + Bytes(4, 'y'));
  ASSERT_EQ(walk.image.size(), 232u);
  EXPECT_EQ(walk.lines, (Lines{"1: CTSS [AB]", "2: BMP_ []"}));
  EXPECT_EQ(walk.table[1].StartPos, 65);
  EXPECT_EQ(walk.table[1].ChunkSize, 88);
  EXPECT_EQ(walk.table[1].ChunkData.size(), 88u);
  EXPECT_EQ(walk.table[1].IdAndFlags, Hex({0, 1, 0, 0}));
  EXPECT_EQ(walk.table[2].StartPos, 153);
  EXPECT_EQ(walk.table[2].ChunkData, walk.image.substr(152));
}

TEST(ChunkWalk, WhereTheWalkEnds) {
  const Bytes head = FileHeader() + "CTSS"_b + BigEndian32(8);  // 72 bytes, no label
  const Bytes one = CharacterFile().add({"OBJD", 1, 0, "one", "body"_b, {}, {}}).build();
  const Lines first = {"1: OBJD [one]"};
  const struct {
    Bytes image;
    Lines lines;
  } cases[] = {
      {"", {}},
      {head.substr(0, 64), {}},
      {head.substr(0, 71), {}},  // the size field is cut
      {head, {"1: CTSS []"}},
      {one + Bytes(6, 'z'), first},  // too short to be a chunk
      {one + Bytes(7, 'z'), first},  // a chunk without its size
      {one + "QQQQ"_b + BigEndian32(500), {"1: OBJD [one]", "2: QQQQ []"}},  // cut short
      {one + "BAD!"_b + Hex({0x80, 0, 0, 0}) + Bytes(80, 'n'), first},       // negative size
      {CharacterFile()
           .add({"STR#", 1, 0, "", "", {}, "faces\0hidden"_b})
           .add({"STR#", 2, 0, "", "", {}, Bytes(64, 'L')})
           .build(),
       {"1: STR# [faces]", "2: STR# [" + Bytes(64, 'L') + "]"}},
      {CharacterFile().add({"T\x80\xE9X"_b, 1, 0, "Jos\xE9 \x93q\x94"_b, "", {}, {}}).build(),
       {"1: T\u20AC\u00E9X [Jos\u00E9 \u201Cq\u201D]"}},  // the game's code page
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Walk(c.image).lines, c.lines) << c.image.size();
  }
}

TEST(ChunkWalk, UntrustedSizesMoveTheWalkWhereTheySay) {
  const Walk past(CharacterFile().add({"HUGE", 1, 0, "", Bytes(80, 'h'), 0x7FFFFFFF, {}}).build());
  EXPECT_EQ(past.table[1].ChunkData.size(), 156u);
  // Below the header length, the next chunk starts inside this one.
  const Walk small(FileHeader() + "AAAA"_b + BigEndian32(1) + Bytes(80, 'A'));
  ASSERT_EQ(small.lines.size(), 2u);
  EXPECT_EQ(small.table[2].StartPos, 66);
  EXPECT_EQ(small.table[2].ChunkSize, 0x141);  // 00 00 01 'A', read one byte further on
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
  // Size zero: the same chunk again in every row.
  const Walk stuck(CharacterFile()
                       .add({"OBJD", 1, 0, "first", "x"_b, {}, {}})
                       .add({"NULL", 2, 0, "stuck", "", 0, {}})
                       .build());
  ASSERT_EQ(stuck.lines.size(), 1001u);
  EXPECT_EQ(stuck.lines[999], "1000: NULL [stuck]");
  EXPECT_EQ(stuck.lines[1000], kTooManyChunks);
}

TEST(ChunkWalk, StopsWhenTheReadIsSuperseded) {
  CharacterFile file;
  for (int i = 0; i < 10; ++i) file.add({"XXXX", 0, 0, "", "", {}, {}});
  EXPECT_EQ(Walk(file.build(), 3).lines.size(), 3u);
}

}  // namespace
}  // namespace quill
