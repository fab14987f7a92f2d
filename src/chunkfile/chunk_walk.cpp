#include "chunkfile/chunk_walk.h"

#include <array>
#include <cstdint>

#include "platform/text.h"

namespace quill {

namespace {

constexpr int kSizeOffset = 4;
constexpr int kIdOffset = 8;
constexpr int kLabelOffset = 12;
constexpr int kLabelLength = 64;

// The walk goes on while at least this many bytes follow the next chunk's position minus one.
constexpr std::int64_t kRemainderToGoOn = 6;

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

// 0x80 to 0x9F; the five bytes the code page leaves undefined map to the same-numbered control
// characters, as Windows' own conversion does.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string Cp1252ToUtf8(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    platform::AppendUtf8(text,
                         byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : char32_t{byte});
  }
  return text;
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
    for (;;) {
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
