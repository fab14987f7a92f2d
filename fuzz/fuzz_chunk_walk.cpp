// SPDX-License-Identifier: GPL-3.0-or-later
// The chunk walk over arbitrary file images: it must never read outside the image, and what it
// lists must describe the image exactly.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "chunkfile/chunk_walk.h"
#include "fuzz_check.h"

namespace {

using quill::Bytes;

class RecordingSink : public quill::ChunkWalkSink {
 public:
  explicit RecordingSink(int stopAfter) : stopAfter_(stopAfter) {}

  void appendChunkLine(const std::string& line) override { lines.push_back(line); }
  bool continueAfterChunk() override { return stopAfter_ <= 0 || ++chunks_ < stopAfter_; }

  std::vector<std::string> lines;

 private:
  int stopAfter_;
  int chunks_ = 0;
};

// The part of the image a chunk at 1-based `startPos` with `size` covers, as the walk takes it.
Bytes Expected(const Bytes& image, std::int64_t startPos, std::int64_t size) {
  const std::int64_t offset = startPos - 1;
  if (offset < 0 || size <= 0 || offset >= static_cast<std::int64_t>(image.size())) return {};
  return image.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes image = quill::fuzz::AsBytes(data, size);
  // The file header is never read by the walk, so its first byte can steer a superseded read
  // (a sink that asks to stop early) without changing what the walk sees.
  const int stopAfter = size > 0 && (data[0] & 0x80) != 0 ? (data[0] & 0x7F) : 0;

  // One table for the whole run, emptied after each input: a fresh 1001-row table per input costs
  // more under the address sanitizer than the walk itself.
  static quill::ChunkTable table;
  RecordingSink sink(stopAfter);
  quill::WalkChunks(image, table, sink);

  FUZZ_REQUIRE(sink.lines.size() <= static_cast<std::size_t>(quill::kLastChunkRow) + 1);
  std::size_t listed = sink.lines.size();
  if (listed > 0 && sink.lines.back() == quill::kTooManyChunks) {
    --listed;
    FUZZ_REQUIRE(listed == static_cast<std::size_t>(quill::kLastChunkRow));
  }
  if (stopAfter > 0) FUZZ_REQUIRE(listed <= static_cast<std::size_t>(stopAfter));

  std::int64_t expectedStart = quill::kFileHeaderLength + 1;
  for (std::size_t i = 0; i < listed; ++i) {
    const int row = static_cast<int>(i) + 1;
    const quill::ChunkRecord& record = table[row];
    FUZZ_REQUIRE(sink.lines[i] == quill::FormatChunkLine(row, record));
    FUZZ_REQUIRE(sink.lines[i] != quill::kTooManyChunks);
    FUZZ_REQUIRE(record.StartPos == expectedStart);
    FUZZ_REQUIRE(record.ChunkSize >= 0);
    FUZZ_REQUIRE(record.ChunkData.size() <= static_cast<std::size_t>(record.ChunkSize));
    FUZZ_REQUIRE(record.ChunkData.size() <= image.size());
    FUZZ_REQUIRE(record.ChunkData == Expected(image, record.StartPos, record.ChunkSize));
    FUZZ_REQUIRE(record.ChunkType == Expected(image, record.StartPos, 4));
    FUZZ_REQUIRE(record.IdAndFlags == Expected(image, record.StartPos + 8, 4));
    FUZZ_REQUIRE(record.ChunkLabel.size() <= 64);
    FUZZ_REQUIRE(record.ChunkLabel.find('\0') == std::string::npos);
    FUZZ_REQUIRE(Expected(image, record.StartPos + 12, 64).starts_with(record.ChunkLabel));
    // A listed chunk's size field was read whole, so its header start lay inside the image.
    FUZZ_REQUIRE(record.StartPos + 7 <= static_cast<std::int64_t>(image.size()));
    expectedStart += record.ChunkSize;
  }
  // Rows past the listed ones (but one, which a failed read may have started) stay untouched.
  for (int row = static_cast<int>(listed) + 2; row <= quill::kLastChunkRow; ++row) {
    FUZZ_REQUIRE(table[row].StartPos == 0 && table[row].ChunkData.empty());
  }
  FUZZ_REQUIRE(table[0].StartPos == 0 && table[0].ChunkData.empty());
  for (int row = 1; row <= std::min(static_cast<int>(listed) + 1, quill::kLastChunkRow); ++row) {
    table[row] = quill::ChunkRecord();
  }
  return 0;
}
