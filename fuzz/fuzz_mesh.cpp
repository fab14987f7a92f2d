// SPDX-License-Identifier: GPL-3.0-or-later
// The mesh-header and texture-header readers on the same bytes: names that fit in the input, a
// text mesh's lines without their ends or surrounding spaces, and texture shapes a game file
// could have.
#include <cstddef>
#include <cstdint>
#include <string>

#include "content/mesh_header.h"
#include "content/texture_header.h"
#include "fuzz_check.h"

namespace {

using namespace quill::content;

void CheckLine(const std::string& line) {
  FUZZ_REQUIRE(line.find('\n') == std::string::npos);
  if (line.empty()) return;
  for (const char end : {line.front(), line.back()}) {
    FUZZ_REQUIRE(end != ' ' && end != '\t' && end != '\r');
  }
}

void CheckShape(const std::optional<TextureShape>& shape) {
  if (!shape) return;
  FUZZ_REQUIRE(shape->width > 0 && shape->width <= 65535);
  FUZZ_REQUIRE(shape->height > 0 && shape->height <= 65535);
  FUZZ_REQUIRE(shape->bitsPerPixel > 0 && shape->bitsPerPixel <= 32);
  if (HasGameSize(*shape)) FUZZ_REQUIRE(shape->width == shape->height && shape->width >= 64);
  if (IsEightBitIndexed(*shape)) FUZZ_REQUIRE(shape->paletteIndexed && shape->bitsPerPixel == 8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = quill::fuzz::AsBytes(data, size);
  if (const std::optional<MeshHeader> binary = ReadBinaryMeshHeader(bytes)) {
    FUZZ_REQUIRE(binary->name.size() + binary->defaultTexture.size() + 2 <= size);
    HasFileNameInHeader(*binary);
  }
  if (const std::optional<MeshHeader> text = ReadTextMeshHeader(bytes)) {
    FUZZ_REQUIRE(text->name.size() + text->defaultTexture.size() + 1 <= size);
    CheckLine(text->name);
    CheckLine(text->defaultTexture);
    HasFileNameInHeader(*text);
  }
  const std::string_view start = std::string_view(bytes).substr(0, kTextureHeaderSize);
  CheckShape(ReadBitmapShape(start));
  CheckShape(ReadTargaShape(start));
  return 0;
}
