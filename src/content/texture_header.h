// SPDX-License-Identifier: GPL-3.0-or-later
// What the skins check needs of a texture: its size and whether it is 8-bit palette-indexed, from
// the first bytes of a Windows bitmap (.bmp) or a Targa (.tga) file.
#pragma once

#include <optional>
#include <string_view>

namespace quill::content {

// Enough of a file's start for either form.
inline constexpr std::size_t kTextureHeaderSize = 54;

struct TextureShape {
  int width = 0;
  int height = 0;  // as a number of rows, whichever way they are stored
  int bitsPerPixel = 0;
  bool paletteIndexed = false;
};

// Nothing when the bytes are no bitmap or Targa header the game could read at all.
std::optional<TextureShape> ReadBitmapShape(std::string_view start);
std::optional<TextureShape> ReadTargaShape(std::string_view start);

// The game shows a texture that is not 8-bit palette-indexed white.
bool IsEightBitIndexed(const TextureShape& shape);
// ... and needs it square, 64, 128 or 256 pixels a side.
bool HasGameSize(const TextureShape& shape);

}  // namespace quill::content
