// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding a character file's resource map ("rsmp"), a plain function over the chunk's bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "chunkfile/chunk_table.h"

namespace quill {

inline constexpr int kLastResourceMapRow = 500;

struct ResourceMapRecord {
  std::string ResourceType;  // the group's type code, in reading order
  std::int32_t ResourceNumber = 0;
  std::string ResourceWords;  // two 16-bit words as eight upper-case hex digits
  std::string ResourceName;   // terminator (0x00 or 0xA3) included
};

// Rows 0 to 500; row 0 is never written. Decodings overwrite from row 1 and leave later rows.
class ResourceMapTable {
 public:
  ResourceMapTable() : rows_(kLastResourceMapRow + 1) {}
  ResourceMapRecord& operator[](int row) { return rows_.at(static_cast<std::size_t>(row)); }
  const ResourceMapRecord& operator[](int row) const {
    return rows_.at(static_cast<std::size_t>(row));
  }

 private:
  std::vector<ResourceMapRecord> rows_;
};

std::string ReverseString(const std::string& text);

// Decodes the map found in `chunkBytes` (header included) into rows 1, 2, ... Returns true when
// the whole map was decoded; a failure throws ChunkFailure, keeping the rows already written.
bool DecodeResourceMap(std::string_view chunkBytes, ResourceMapTable& table);

// The inspector's entry: decodes the map of chunk-table row `row`.
bool DecodeResourceMap(int row, const ChunkTable& chunks, ResourceMapTable& table);

}  // namespace quill
