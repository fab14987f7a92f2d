#include "chunkfile/chunk_walk.h"

#include <gtest/gtest.h>

#include <vector>

#include "character_builder.h"

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

}  // namespace
}  // namespace quill
