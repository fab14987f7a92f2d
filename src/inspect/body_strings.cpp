// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/body_strings.h"

#include <string>

#include "chunkfile/chunk_walk.h"
#include "inspect/string_table_layout.h"
#include "platform/files.h"

namespace quill {

namespace {

constexpr int kUsEnglish = 1;
constexpr int kSkeleton = 0;
constexpr int kBody = 1;
constexpr int kHead = 2;
constexpr int kGender = 12;
constexpr int kAge = 13;
constexpr int kSkinTone = 14;
constexpr int kBodyStringsId = 200;

}  // namespace

std::optional<Garment> ReadGarment(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos || comma == 0) return std::nullopt;
  const std::size_t equals = text.find('=', comma + 1);
  if (equals == std::string_view::npos || equals == comma + 1 || equals + 1 == text.size()) {
    return std::nullopt;
  }
  return Garment{std::string(text.substr(0, comma)),
                 std::string(text.substr(comma + 1, equals - comma - 1)),
                 std::string(text.substr(equals + 1))};
}

std::optional<BodyLooks> ReadBodyStrings(std::string_view body) {
  const std::optional<CompleteTable> table = ReadCompleteTable(body);
  if (!table) return std::nullopt;
  BodyLooks looks;
  int index = 0;
  for (const TableString& string : table->strings) {
    if (string.language != kUsEnglish) continue;
    const std::string text = Cp1252ToUtf8(string.value);
    switch (index++) {
      case kSkeleton:
        looks.skeleton = text;
        break;
      case kBody:
        looks.body = ReadGarment(text);
        break;
      case kHead:
        looks.head = ReadGarment(text);
        break;
      case kGender:
        looks.gender = text;
        break;
      case kAge:
        looks.age = text;
        break;
      case kSkinTone:
        looks.skinTone = text;
        break;
      default:
        if (std::optional<Garment> garment = ReadGarment(text)) {
          looks.outfits.push_back({index - 1, std::move(*garment)});
        }
    }
  }
  if (index == 0) return std::nullopt;
  return looks;
}

std::optional<BodyLooks> BodyLooksOf(std::string_view image) {
  std::optional<BodyLooks> looks;
  VisitWholeChunks(image, [&looks](const ChunkRecord& chunk) {
    if (chunk.ChunkType != "STR#" || ChunkIdOf(chunk) != kBodyStringsId) return true;
    looks = ReadBodyStrings(BodyOf(chunk));
    return false;
  });
  return looks;
}

std::optional<BodyLooks> BodyLooksOfFile(const std::filesystem::path& file) {
  const std::optional<std::string> image = platform::ReadWholeFile(file);
  if (!image) return std::nullopt;
  return BodyLooksOf(*image);
}

}  // namespace quill
