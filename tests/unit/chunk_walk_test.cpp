#include "chunkfile/chunk_walk.h"

#include <gtest/gtest.h>

#include <vector>

#include "character_builder.h"

namespace quill {
namespace {

using testdata::BigEndian32;
using testdata::CharacterFile;
using testdata::Chunk;
using testdata::FileHeader;
using testdata::Hex;
using testdata::operator""_b;

struct Walk : ChunkWalkSink {
  std::vector<std::string> lines;
  ChunkTable table;
  int turns = 0;
  int stopAfter = -1;
  void appendChunkLine(const std::string& line) override { lines.push_back(line); }
  bool continueAfterChunk() override { return ++turns != stopAfter; }
  // Kept, since the rows point into it.
  Bytes image;
  void run(Bytes bytes) {
    image = std::move(bytes);
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
  Bytes image = FileHeader() + "CTSS"_b + BigEndian32(88) + Hex({0, 1, 0, 0}) +
                Label("AB\0junk"_b) + Bytes(12, 'x') + "BMP_"_b + BigEndian32(80) +
                Hex({0, 2, 0, 0}) + Label("") + Bytes(4, 'y');
  ASSERT_EQ(image.size(), 232u);
  Walk walk;
  walk.run(image);
  EXPECT_EQ(walk.lines, (std::vector<std::string>{"1: CTSS [AB]", "2: BMP_ []"}));
  EXPECT_EQ(walk.table[1].StartPos, 65);
  EXPECT_EQ(walk.table[1].ChunkSize, 88);
  EXPECT_EQ(walk.table[1].ChunkData.size(), 88u);
  EXPECT_EQ(walk.table[1].IdAndFlags, Hex({0, 1, 0, 0}));
  EXPECT_EQ(walk.table[2].StartPos, 153);
  EXPECT_EQ(walk.table[2].ChunkSize, 80);
  EXPECT_EQ(walk.table[2].ChunkData, image.substr(152));
}

TEST(ChunkWalk, ShortFilesYieldNoLineAndSizeBytesDecideTheFirstChunk) {
  for (const std::size_t length : {0u, 1u, 64u, 65u, 68u, 71u}) {
    Walk walk;
    walk.run((FileHeader() + "CTSS"_b + BigEndian32(8)).substr(0, length));
    EXPECT_TRUE(walk.lines.empty()) << length;
  }
  // 72 bytes: the size is there, the label lies beyond the end.
  Walk walk;
  walk.run(FileHeader() + "CTSS"_b + BigEndian32(8));
  EXPECT_EQ(walk.lines, std::vector<std::string>{"1: CTSS []"});
  EXPECT_TRUE(walk.table[1].IdAndFlags.empty());
}

TEST(ChunkWalk, RemainderDecidesWhetherTheWalkGoesOn) {
  const Bytes one = CharacterFile().add({"OBJD", 1, 0, "one", "body"_b, {}, {}}).build();
  for (std::size_t extra = 1; extra <= 6; ++extra) {
    Walk walk;
    walk.run(one + Bytes(extra, 'z'));
    EXPECT_EQ(walk.lines.size(), 1u) << extra;
  }
  // Seven bytes after the chunk: another chunk is attempted and fails at its size field.
  Walk seven;
  seven.run(one + Bytes(7, 'z'));
  EXPECT_EQ(seven.lines.size(), 1u);
  // Eight: the size field is complete, so a second, truncated chunk is listed.
  Walk eight;
  eight.run(one + "QQQQ"_b + BigEndian32(500));
  EXPECT_EQ(eight.lines, (std::vector<std::string>{"1: OBJD [one]", "2: QQQQ []"}));
  EXPECT_EQ(eight.table[2].ChunkData.size(), 8u);
}

TEST(ChunkWalk, LabelStopsAtItsFirstNulAndKeepsSixtyFourBytesWhole) {
  const Bytes full(64, 'L');
  Walk walk;
  walk.run(CharacterFile()
               .add({"STR#", 1, 0, "", "", {}, "faces\0hidden"_b})
               .add({"STR#", 2, 0, "", "", {}, full})
               .build());
  EXPECT_EQ(walk.lines[0], "1: STR# [faces]");
  EXPECT_EQ(walk.lines[1], "2: STR# [" + full + "]");
}

TEST(ChunkWalk, BytesOutsideAsciiShowThroughTheGamesCodePage) {
  Walk walk;
  walk.run(CharacterFile().add({"T\x80\xE9X"_b, 1, 0, "Jos\xE9 \x93q\x94"_b, "", {}, {}}).build());
  EXPECT_EQ(walk.lines[0], "1: T\u20AC\u00E9X [Jos\u00E9 \u201Cq\u201D]");
}

TEST(ChunkWalk, SizeZeroRepeatsTheChunkUpToTheLastRow) {
  CharacterFile file;
  file.add({"OBJD", 1, 0, "first", "x"_b, {}, {}}).add({"NULL", 2, 0, "stuck", "", 0, {}});
  Walk walk;
  walk.run(file.build());
  ASSERT_EQ(walk.lines.size(), 1001u);
  EXPECT_EQ(walk.lines[1], "2: NULL [stuck]");
  EXPECT_EQ(walk.lines[999], "1000: NULL [stuck]");
  EXPECT_EQ(walk.lines[1000], kTooManyChunks);
  EXPECT_TRUE(walk.table[1000].ChunkData.empty());
}

TEST(ChunkWalk, AThousandChunksFillTheTableAndGetTheMessage) {
  for (const int chunks : {999, 1000, 1001, 1500}) {
    CharacterFile file;
    for (int i = 0; i < chunks; ++i) file.add({"XXXX", 0, 0, "", "", {}, {}});
    Walk walk;
    walk.run(file.build());
    const bool full = chunks >= 1000;
    EXPECT_EQ(walk.lines.size(), full ? 1001u : static_cast<std::size_t>(chunks)) << chunks;
    EXPECT_EQ(walk.lines.back() == kTooManyChunks, full) << chunks;
    EXPECT_EQ(walk.lines[9].substr(0, 4), "10: ");
  }
}

TEST(ChunkWalk, BadSizesEndTheWalkKeepingEarlierLines) {
  const Bytes first = CharacterFile().add({"OBJD", 1, 0, "ok", "body"_b, {}, {}}).build();
  // A negative size ends the read before that chunk is listed.
  Walk negative;
  negative.run(first + "BAD!"_b + Hex({0x80, 0, 0, 0}) + Bytes(80, 'n'));
  EXPECT_EQ(negative.lines, std::vector<std::string>{"1: OBJD [ok]"});
  // A size past the end lists the chunk with what is there, then stops.
  Walk past;
  past.run(first + "HUGE"_b + BigEndian32(0x7FFFFFFF) + Bytes(80, 'h'));
  ASSERT_EQ(past.lines.size(), 2u);
  EXPECT_EQ(past.table[2].ChunkData.size(), 88u);
  // Sizes below the header length make the next chunk start inside this one.
  Walk small;
  small.run(FileHeader() + "AAAA"_b + BigEndian32(1) + Bytes(80, 'A'));
  ASSERT_EQ(small.lines.size(), 2u);
  EXPECT_EQ(small.table[2].StartPos, 66);
  EXPECT_EQ(small.table[2].ChunkSize, 0x141);  // 00 00 01 'A', read one byte further on
}

TEST(ChunkWalk, StopsWhenTheReadIsSuperseded) {
  CharacterFile file;
  for (int i = 0; i < 10; ++i) file.add({"XXXX", 0, 0, "", "", {}, {}});
  Walk walk;
  walk.stopAfter = 3;
  walk.run(file.build());
  EXPECT_EQ(walk.lines.size(), 3u);
}

TEST(ChunkWalk, AnythingAtAllIsWalkedWithoutHarm) {
  Bytes noise(5000, '\0');
  for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 131 % 251);
  Walk walk;
  walk.run(noise);
  EXPECT_LE(walk.lines.size(), 1001u);
}

}  // namespace
}  // namespace quill
