// SPDX-License-Identifier: GPL-3.0-or-later
#include "chunkfile/sim_guid.h"

#include <algorithm>

namespace quill {

namespace {

constexpr int kObjectChunkId = 128;
constexpr std::size_t kGuidOffset = kChunkHeaderLength + 28;

}  // namespace

bool IsSimObject(const ChunkRecord& record) {
  return record.ChunkType == "OBJD" && ChunkIdOf(record) == kObjectChunkId;
}

std::optional<std::uint32_t> GuidOfObject(const ChunkRecord& record) {
  if (!IsSimObject(record) || record.ChunkData.size() < kGuidOffset + 4) return std::nullopt;
  std::uint32_t guid = 0;
  for (std::size_t k = 4; k-- > 0;) {
    guid = guid << 8 | static_cast<unsigned char>(record.ChunkData[kGuidOffset + k]);
  }
  return guid;
}

std::optional<std::uint32_t> SimGuid(const ChunkTable& table, int rows) {
  for (int row = 1; row <= std::min(rows, kLastChunkRow); ++row) {
    if (IsSimObject(table[row])) return GuidOfObject(table[row]);
  }
  return std::nullopt;
}

}  // namespace quill
