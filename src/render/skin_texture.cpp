// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/skin_texture.h"

#include <cstdint>
#include <vector>

#include "content/texture_header.h"

namespace quill::render {

namespace {

constexpr int kLargestSide = 1024;
constexpr std::size_t kTargaHeaderSize = 18;
constexpr int kTargaRunLength = 9;
constexpr unsigned kTopToBottom = 0x20;
constexpr unsigned kRightToLeft = 0x10;

unsigned Byte(std::string_view bytes, std::size_t at) {
  return at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0u;
}

// One colour-map entry of 15, 16, 24 or 32 bits, stored blue first.
QRgb MapColour(std::string_view entry, int bits) {
  if (bits <= 16) {
    const unsigned v = Byte(entry, 0) | Byte(entry, 1) << 8;
    const auto five = [](unsigned c) { return (c & 31u) * 255u / 31u; };
    return qRgb(static_cast<int>(five(v >> 10)), static_cast<int>(five(v >> 5)),
                static_cast<int>(five(v)));
  }
  return qRgb(static_cast<int>(Byte(entry, 2)), static_cast<int>(Byte(entry, 1)),
              static_cast<int>(Byte(entry, 0)));
}

// An 8-bit colour-mapped Targa picture, raw or run-length coded. Pixels past the end of the
// bytes, and indices outside the colour map, come out black rather than refusing a texture the
// game might still show.
QImage ReadMappedTarga(std::string_view bytes, const content::TextureShape& shape) {
  const std::size_t idLength = Byte(bytes, 0);
  const unsigned mapFirst = Byte(bytes, 3) | Byte(bytes, 4) << 8;
  const unsigned mapLength = Byte(bytes, 5) | Byte(bytes, 6) << 8;
  const int entryBits = static_cast<int>(Byte(bytes, 7));
  if (entryBits != 15 && entryBits != 16 && entryBits != 24 && entryBits != 32) return {};
  const std::size_t entrySize = static_cast<std::size_t>(entryBits + 7) / 8;
  const std::size_t mapStart = kTargaHeaderSize + idLength;
  std::vector<QRgb> colours(256, qRgb(0, 0, 0));
  for (unsigned i = 0; i < mapLength; ++i) {
    const unsigned index = mapFirst + i;
    const std::size_t at = mapStart + i * entrySize;
    if (index >= colours.size() || at >= bytes.size()) break;
    colours[index] = MapColour(bytes.substr(at, entrySize), entryBits);
  }
  QImage picture(shape.width, shape.height, QImage::Format_RGB32);
  if (picture.isNull()) return {};
  const unsigned descriptor = Byte(bytes, 17);
  const bool runs = Byte(bytes, 2) == kTargaRunLength;
  std::size_t at = mapStart + std::size_t{mapLength} * entrySize;
  const std::size_t count = static_cast<std::size_t>(shape.width) * shape.height;
  std::size_t run = 0;  // pixels left in the current packet
  bool repeat = false;
  unsigned index = 0;
  for (std::size_t n = 0; n < count; ++n) {
    if (!runs) {
      index = Byte(bytes, at++);
    } else {
      if (run == 0) {
        const unsigned head = Byte(bytes, at++);
        repeat = (head & 0x80u) != 0;
        run = (head & 0x7fu) + 1;
        if (repeat) index = Byte(bytes, at++);
      }
      if (!repeat) index = Byte(bytes, at++);
      --run;
    }
    int x = static_cast<int>(n % static_cast<std::size_t>(shape.width));
    int y = static_cast<int>(n / static_cast<std::size_t>(shape.width));
    if ((descriptor & kRightToLeft) != 0) x = shape.width - 1 - x;
    if ((descriptor & kTopToBottom) == 0) y = shape.height - 1 - y;
    picture.setPixel(x, y, colours[index]);
  }
  return picture;
}

}  // namespace

QImage SkinTexture(std::string_view bytes, TextureForm form) {
  const std::optional<content::TextureShape> shape =
      form == TextureForm::Targa ? content::ReadTargaShape(bytes) : content::ReadBitmapShape(bytes);
  if (!shape || shape->width > kLargestSide || shape->height > kLargestSide) return {};
  if (!content::IsEightBitIndexed(*shape)) {
    QImage white(1, 1, QImage::Format_RGB32);
    white.fill(Qt::white);
    return white;
  }
  if (form == TextureForm::Targa) return ReadMappedTarga(bytes, *shape);
  QImage picture;
  picture.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()),
                       "BMP");
  return picture.isNull() ? picture : picture.convertToFormat(QImage::Format_RGB32);
}

}  // namespace quill::render
