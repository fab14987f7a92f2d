// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/string_table.h"

namespace quill {

bool ClaimStringTable(const ChunkRecord& record) {
  return ByteAt(record.ChunkData, kChunkHeaderLength) >= 0xFD;
}

}  // namespace quill
