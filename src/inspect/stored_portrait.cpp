// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/stored_portrait.h"

#include <string>
#include <utility>
#include <vector>

#include "chunkfile/chunk_table.h"
#include "chunkfile/chunk_walk.h"
#include "platform/picture.h"
#include "platform/text.h"

namespace quill {

QImage StoredPortrait(std::string_view image) {
  std::vector<std::pair<bool, std::string_view>> pictures;  // large speech picture?, bitmap file
  VisitChunks(image, [&pictures](ChunkRecord& record) {
    if (record.ChunkType == "BMP_" && record.ChunkSize >= kChunkHeaderLength) {
      pictures.emplace_back(platform::AsciiLowerCase(record.ChunkLabel) == "speech_large",
                            BodyOf(record).substr(0, static_cast<std::size_t>(record.ChunkSize -
                                                                              kChunkHeaderLength)));
    }
    return true;
  });
  for (const bool largeSpeech : {true, false}) {
    for (const auto& [large, bytes] : pictures) {
      if (largeSpeech && !large) continue;
      if (std::optional<QImage> picture = platform::DecodePicture(bytes)) return *picture;
    }
  }
  return {};
}

}  // namespace quill
