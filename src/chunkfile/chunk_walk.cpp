// SPDX-License-Identifier: GPL-3.0-or-later
#include "chunkfile/chunk_walk.h"

#include <cstdint>

#include "platform/code_page.h"

namespace quill {

namespace {

constexpr int kSizeOffset = 4;
constexpr int kIdOffset = 8;
constexpr int kLabelOffset = 12;
constexpr int kLabelLength = 64;

// The walk goes on while at least this many bytes follow the next chunk's position minus one.
constexpr std::int64_t kRemainderToGoOn = 6;

constexpr unsigned kWindowsWestern = 1252;

std::string_view ViewOrLess(std::string_view bytes, std::int64_t offset, std::int64_t length) {
  if (offset < 0 || length <= 0 || offset >= static_cast<std::int64_t>(bytes.size())) return {};
  return bytes.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
}

Bytes SliceOrLess(std::string_view bytes, std::int64_t offset, std::int64_t length) {
  return Bytes(ViewOrLess(bytes, offset, length));
}

std::int32_t BigEndian32(std::string_view bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t k = 0; k < 4; ++k) value = (value << 8) | ByteAt(bytes, offset + k);
  return static_cast<std::int32_t>(value);
}

std::string LabelAt(std::string_view image, std::int64_t chunkOffset) {
  std::string label;
  for (std::int64_t offset = chunkOffset + kLabelOffset;
       offset < chunkOffset + kLabelOffset + kLabelLength &&
       offset < static_cast<std::int64_t>(image.size());
       ++offset) {
    const char byte = image[static_cast<std::size_t>(offset)];
    if (byte == '\0') break;
    label.push_back(byte);
  }
  return label;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  return platform::CodePageToUtf8(bytes, kWindowsWestern);
}

std::string_view BodyOf(const ChunkRecord& chunk) {
  return chunk.ChunkData.size() > static_cast<std::size_t>(kChunkHeaderLength)
             ? chunk.ChunkData.substr(kChunkHeaderLength)
             : std::string_view();
}

std::string FormatChunkLine(int row, const ChunkRecord& record) {
  return std::to_string(row) + ": " + Cp1252ToUtf8(record.ChunkType) + " [" +
         Cp1252ToUtf8(record.ChunkLabel) + "]";
}

void VisitChunks(std::string_view image, const std::function<bool(ChunkRecord&)>& visit) {
  const auto length = static_cast<std::int64_t>(image.size());
  std::int64_t position = kFileHeaderLength + 1;  // 1-based, as the chunk records count
  ChunkRecord record;
  try {
    for (int visited = 0; visited < kLastChunkRow; ++visited) {
      const std::int64_t offset = position - 1;
      record.StartPos = static_cast<std::int32_t>(position);
      record.ChunkType = SliceOrLess(image, offset, 4);
      record.ChunkSize = BigEndian32(image, static_cast<std::size_t>(offset + kSizeOffset));
      record.IdAndFlags = SliceOrLess(image, offset + kIdOffset, 4);
      if (record.ChunkSize < 0) return;
      record.ChunkData = ViewOrLess(image, offset, record.ChunkSize);
      record.ChunkLabel = LabelAt(image, offset);
      position += record.ChunkSize;
      if (!visit(record)) return;
      if (position + kRemainderToGoOn > length) return;
    }
  } catch (const ChunkFailure&) {
    // Size bytes missing: the walk simply ends here.
  }
}

ChunkChain VisitWholeChunks(std::string_view image,
                            const std::function<bool(const ChunkRecord&)>& visit) {
  ChunkChain chain = ChunkChain::Whole;
  const auto length = static_cast<std::int64_t>(image.size());
  std::int64_t offset = kFileHeaderLength;
  ChunkRecord record;
  while (offset + kRemainderToGoOn + 1 <= length) {
    if (offset + kIdOffset > length) return ChunkChain::Damaged;  // the size field is cut
    record.StartPos = static_cast<std::int32_t>(offset + 1);
    record.ChunkType = SliceOrLess(image, offset, 4);
    record.ChunkSize = BigEndian32(image, static_cast<std::size_t>(offset + kSizeOffset));
    if (record.ChunkSize < kChunkHeaderLength) return ChunkChain::Damaged;
    record.IdAndFlags = SliceOrLess(image, offset + kIdOffset, 4);
    record.ChunkData = ViewOrLess(image, offset, record.ChunkSize);
    record.ChunkLabel = LabelAt(image, offset);
    if (record.ChunkData.size() < static_cast<std::size_t>(record.ChunkSize)) {
      chain = ChunkChain::Damaged;
    }
    if (!visit(record) || chain == ChunkChain::Damaged) return chain;
    offset += record.ChunkSize;
  }
  return chain;
}

void WalkChunks(const Bytes& image, ChunkTable& table, ChunkWalkSink& sink) {
  int row = 0;
  VisitChunks(image, [&](ChunkRecord& record) {
    ChunkRecord& filled = table[++row];
    filled = std::move(record);
    sink.appendChunkLine(FormatChunkLine(row, filled));
    if (!sink.continueAfterChunk()) return false;
    if (row < kLastChunkRow) return true;
    sink.appendChunkLine(kTooManyChunks);
    return false;
  });
}

}  // namespace quill
