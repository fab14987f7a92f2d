// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chunkfile/chunk_table.h"

namespace quill {

// A "STR#" chunk whose format code starts with FD, FE or FF is a string table the inspector
// leaves alone (true); any other is searched for a name like other chunks (false). An empty
// body is a failure.
bool ClaimStringTable(const ChunkRecord& record);

}  // namespace quill
