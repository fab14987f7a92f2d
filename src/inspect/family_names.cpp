// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/family_names.h"

#include "chunkfile/chunk_walk.h"
#include "inspect/neighbourhood.h"
#include "platform/files.h"

namespace quill {

std::vector<std::string> FamilyNamesIn(std::string_view image, int playerSlot, std::size_t most) {
  std::vector<std::string> names;
  if (most == 0) return names;
  VisitWholeChunks(image, [&](const ChunkRecord& chunk) {
    const bool whole = chunk.ChunkData.size() == static_cast<std::size_t>(chunk.ChunkSize);
    const std::string_view body = BodyOf(chunk);
    if (chunk.ChunkType == "FAMs" && whole && body.size() <= kLongestFamilyNameChunk) {
      if (std::optional<std::string> name = ReadFamilyName(body, playerSlot)) {
        names.push_back(std::move(*name));
      }
    }
    return names.size() < most;
  });
  return names;
}

std::vector<std::string> ReadFamilyNames(const std::filesystem::path& file, int playerSlot,
                                         std::size_t most) {
  std::string start;
  if (!platform::ReadFileStart(file, kFamilyNamesReadLimit, start)) return {};
  return FamilyNamesIn(start, playerSlot, most);
}

}  // namespace quill
