// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a "BMP_" chunk: its body is a complete picture file, handed to the picture loader
// through a scratch file.
#pragma once

#include <filesystem>

#include "chunkfile/chunk_table.h"
#include "inspect/inspector_view.h"

namespace quill {

inline constexpr const char* kScratchPictureName = "temp.bmp";

// The body as the chunk's size states it: ChunkSize - 76 bytes from offset 76, fewer where the
// chunk data ends first. A size below the header's length is a failure.
Bytes BitmapBody(const ChunkRecord& record);

// Writes the body to "temp.bmp" in `scratchFolder` (an older, longer file there is overwritten
// from its start, not emptied), shows it, deletes it. Returns true once shown; a failure throws.
bool ShowBitmapChunk(const ChunkRecord& record, const std::filesystem::path& scratchFolder,
                     InspectorView& view);

}  // namespace quill
