// SPDX-License-Identifier: GPL-3.0-or-later
// The chunk directory of the loaded character file.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

// Byte strings hold one char per byte, as the file stores them.
using Bytes = std::string;

inline constexpr int kChunkHeaderLength = 76;
inline constexpr int kFileHeaderLength = 64;
inline constexpr int kLastChunkRow = 1000;

struct ChunkRecord {
  std::string ChunkType;   // four bytes, fewer where the file ends
  std::string ChunkLabel;  // label bytes up to the first NUL
  std::int32_t ChunkSize = 0;
  Bytes IdAndFlags;  // raw, never interpreted
  // The whole chunk, header included (the body starts at offset 76): a view into the file image,
  // which outlives every row that points into it.
  std::string_view ChunkData;
  std::int32_t StartPos = 0;  // 1-based position of the chunk in the file image
};

// Rows 0 to 1000; row 0 is never filled, so that row numbers match the chunk lines' numbers.
class ChunkTable {
 public:
  ChunkTable() : rows_(kLastChunkRow + 1) {}
  ChunkRecord& operator[](int row) { return rows_.at(static_cast<std::size_t>(row)); }
  const ChunkRecord& operator[](int row) const { return rows_.at(static_cast<std::size_t>(row)); }
  // Lets go of every row's bytes. Rows a read never reached are left alone: resetting all 1001
  // would cost more than walking a whole file's chunks.
  void clear() {
    for (ChunkRecord& row : rows_) {
      if (row.StartPos != 0 || row.ChunkSize != 0 || !row.ChunkType.empty() ||
          !row.ChunkLabel.empty() || !row.IdAndFlags.empty() || !row.ChunkData.empty()) {
        row = ChunkRecord();
      }
    }
  }

 private:
  std::vector<ChunkRecord> rows_;
};

// Thrown where a read or an inspection meets bytes it cannot use; the operation that guards its
// run ends there, keeping what it already did.
class ChunkFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The chunk's id: the first two bytes of its id-and-flags field, big-endian; -1 when they are
// missing.
inline int ChunkIdOf(const ChunkRecord& record) {
  if (record.IdAndFlags.size() < 2) return -1;
  return static_cast<unsigned char>(record.IdAndFlags[0]) << 8 |
         static_cast<unsigned char>(record.IdAndFlags[1]);
}

inline unsigned char ByteAt(std::string_view bytes, std::size_t offset) {
  if (offset >= bytes.size()) throw ChunkFailure("read past the end");
  return static_cast<unsigned char>(bytes[offset]);
}

}  // namespace quill
