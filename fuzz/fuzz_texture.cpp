// SPDX-License-Identifier: GPL-3.0-or-later
// A skin's texture from a bitmap's or a Targa file's bytes: a picture is either null, white and
// one pixel (a kind the game shows white), or the size its header gives, 1024 a side at most.
//
// Input: one byte choosing the form (even: bitmap, odd: Targa), then the file.
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <string>

#include "content/texture_header.h"
#include "fuzz_check.h"
#include "render/skin_texture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool targa = (data[0] & 1) != 0;
  const std::string bytes = quill::fuzz::AsBytes(data + 1, size - 1);
  const QImage texture = quill::render::SkinTexture(
      bytes, targa ? quill::render::TextureForm::Targa : quill::render::TextureForm::Bitmap);
  if (texture.isNull()) return 0;
  FUZZ_REQUIRE(texture.width() <= 1024 && texture.height() <= 1024);
  const auto shape =
      targa ? quill::content::ReadTargaShape(bytes) : quill::content::ReadBitmapShape(bytes);
  FUZZ_REQUIRE(shape.has_value());
  if (!quill::content::IsEightBitIndexed(*shape)) {
    FUZZ_REQUIRE(texture.size() == QSize(1, 1) && texture.pixel(0, 0) == 0xffffffffu);
  } else if (targa) {
    FUZZ_REQUIRE(texture.width() == shape->width && texture.height() == shape->height);
  }
  return 0;
}
