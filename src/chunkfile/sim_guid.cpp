#include "chunkfile/sim_guid.h"

#include <algorithm>

namespace quill {

namespace {

constexpr int kObjectChunkId = 128;
constexpr std::size_t kGuidOffset = kChunkHeaderLength + 28;

}  // namespace

std::optional<std::uint32_t> SimGuid(const ChunkTable& table, int rows) {
  for (int row = 1; row <= std::min(rows, kLastChunkRow); ++row) {
    const ChunkRecord& record = table[row];
    if (record.ChunkType != "OBJD" || ChunkIdOf(record) != kObjectChunkId) continue;
    if (record.ChunkData.size() < kGuidOffset + 4) return std::nullopt;
    std::uint32_t guid = 0;
    for (std::size_t k = 4; k-- > 0;) {
      guid = guid << 8 | static_cast<unsigned char>(record.ChunkData[kGuidOffset + k]);
    }
    return guid;
  }
  return std::nullopt;
}

}  // namespace quill
