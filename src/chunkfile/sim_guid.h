// SPDX-License-Identifier: GPL-3.0-or-later
// Which Sim a character file holds, as the neighbourhood knows it: its GUID.
#pragma once

#include <cstdint>
#include <optional>

#include "chunkfile/chunk_table.h"

namespace quill {

// The GUID of an "OBJD" chunk 128 (body bytes 28 to 31, little-endian); nothing for another
// chunk or one cut short before the GUID's last byte.
std::optional<std::uint32_t> GuidOfObject(const ChunkRecord& record);

// Whether the chunk is the Sim's object definition, "OBJD" 128, where its GUID is kept.
bool IsSimObject(const ChunkRecord& record);

// The GUID of the first "OBJD" chunk 128 among the first `rows` rows; nothing when there is none
// or it is cut short.
std::optional<std::uint32_t> SimGuid(const ChunkTable& table, int rows);

}  // namespace quill
