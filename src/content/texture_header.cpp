// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/texture_header.h"

#include "chunkfile/byte_cursor.h"

namespace quill::content {

namespace {

constexpr std::size_t kBitmapInfoStart = 14;
constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
constexpr std::size_t kTargaHeaderSize = 18;
constexpr int kLargestSide = 65535;

bool PlausibleSides(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide;
}

}  // namespace

std::optional<TextureShape> ReadBitmapShape(std::string_view start) {
  if (!start.starts_with("BM") || start.size() < kBitmapInfoStart + 16) return std::nullopt;
  ByteCursor in(start.substr(kBitmapInfoStart));
  // Older and newer info headers exist; the game's bitmaps have at least this one's fields.
  if (in.u32() < kBitmapInfoHeaderSize) return std::nullopt;
  const std::int64_t width = in.i32();
  // Rows stored top down have a negative height.
  const std::int64_t height = in.i32();
  in.take(2);  // planes
  const std::uint16_t bits = in.u16();
  if (!PlausibleSides(width, height < 0 ? -height : height)) return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return std::nullopt;
  }
  return TextureShape{static_cast<int>(width), static_cast<int>(height < 0 ? -height : height),
                      static_cast<int>(bits), bits <= 8};
}

std::optional<TextureShape> ReadTargaShape(std::string_view start) {
  if (start.size() < kTargaHeaderSize) return std::nullopt;
  const auto byte = [start](std::size_t at) { return static_cast<unsigned char>(start[at]); };
  const int mapType = byte(1);
  const int imageType = byte(2);
  const int width = byte(12) | byte(13) << 8;
  const int height = byte(14) | byte(15) << 8;
  const int depth = byte(16);
  const bool colourMapped = imageType == 1 || imageType == 9;
  const bool otherType = imageType == 2 || imageType == 10 || imageType == 3 || imageType == 11;
  if (mapType > 1 || !(colourMapped || otherType) || (colourMapped && mapType != 1)) {
    return std::nullopt;
  }
  if (!PlausibleSides(width, height)) return std::nullopt;
  if (depth != 8 && depth != 15 && depth != 16 && depth != 24 && depth != 32) return std::nullopt;
  return TextureShape{width, height, depth, colourMapped};
}

bool IsEightBitIndexed(const TextureShape& shape) {
  return shape.paletteIndexed && shape.bitsPerPixel == 8;
}

bool HasGameSize(const TextureShape& shape) {
  return shape.width == shape.height &&
         (shape.width == 64 || shape.width == 128 || shape.width == 256);
}

}  // namespace quill::content
