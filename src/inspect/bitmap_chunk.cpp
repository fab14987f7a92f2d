// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/bitmap_chunk.h"

#include <cstdint>

#include "platform/files.h"

namespace quill {

Bytes BitmapBody(const ChunkRecord& record) {
  const std::int64_t length = std::int64_t{record.ChunkSize} - kChunkHeaderLength;
  if (length < 0) throw ChunkFailure("chunk smaller than its header");
  if (record.ChunkData.size() <= static_cast<std::size_t>(kChunkHeaderLength)) return {};
  return Bytes(record.ChunkData.substr(kChunkHeaderLength, static_cast<std::size_t>(length)));
}

bool ShowBitmapChunk(const ChunkRecord& record, const std::filesystem::path& scratchFolder,
                     InspectorView& view) {
  const Bytes body = BitmapBody(record);
  if (scratchFolder.empty()) throw ChunkFailure("no scratch folder");
  const std::filesystem::path scratch = scratchFolder / kScratchPictureName;
  if (!platform::WriteAtStart(scratch, body)) throw ChunkFailure("scratch file not written");
  if (!view.showPictureFile(scratch)) throw ChunkFailure("not a picture");
  platform::DeleteFileNamed(scratch);
  return true;
}

}  // namespace quill
