// SPDX-License-Identifier: GPL-3.0-or-later
// The picture the game puts on a skin, from a texture file's bytes: a Windows bitmap (.bmp) or a
// Targa (.tga) file.
#pragma once

#include <QImage>
#include <string_view>

namespace quill::render {

enum class TextureForm { Bitmap, Targa };

// The texture's own picture when it is 8-bit palette-indexed; a white one when it is another kind
// of picture, which is how the game shows it; a null picture when the bytes are no picture, or
// one more than 1024 pixels a side (the game's are 256 at most).
QImage SkinTexture(std::string_view bytes, TextureForm form);

}  // namespace quill::render
