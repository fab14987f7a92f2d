// Which Sim a character file holds, as the neighbourhood knows it: its GUID.
#pragma once

#include <cstdint>
#include <optional>

#include "chunkfile/chunk_table.h"

namespace quill {

// The GUID in the "OBJD" chunk 128 among the first `rows` rows (body bytes 28 to 31,
// little-endian); nothing when there is none or it is cut short.
std::optional<std::uint32_t> SimGuid(const ChunkTable& table, int rows);

}  // namespace quill
