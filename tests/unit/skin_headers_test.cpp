// SPDX-License-Identifier: GPL-3.0-or-later
// The first bytes of meshes and textures, which say whether the game can draw a skin.
#include <gtest/gtest.h>

#include "content/mesh_header.h"
#include "content/texture_header.h"
#include "skin_builder.h"

namespace quill::content {
namespace {

using namespace testdata;

std::string Describe(const std::optional<MeshHeader>& header) {
  if (!header) return "nothing";
  return header->name + "|" + header->defaultTexture + (HasFileNameInHeader(*header) ? " !" : "");
}

// Catches the two strings swapped, the 255 escape of a length missed, a line end or spaces kept in
// a text mesh's line, a file-name ending compared with its case, and a header cut short read as
// whole (a missing second line, or a length past the end).
TEST(SkinHeaders, MeshHeadersOfBothForms) {
  const std::string longName(300, 'm');
  const std::pair<std::optional<MeshHeader>, std::string> cases[] = {
      {ReadBinaryMeshHeader(BinaryMesh("xskin-b001fafit_01-BODY", "x")),
       "xskin-b001fafit_01-BODY|x"},
      {ReadBinaryMeshHeader(BinaryMesh(longName, "b001fafitlgt_01")),
       longName + "|b001fafitlgt_01"},
      {ReadBinaryMeshHeader(BinaryMesh("body", "skin.Bmp")), "body|skin.Bmp !"},
      {ReadTextMeshHeader(TextMesh("xskin-h001-HEAD", "h001lgt")), "xskin-h001-HEAD|h001lgt"},
      {ReadTextMeshHeader("  xskin-h001-HEAD \r\nh001lgt\r\n0\r\n"), "xskin-h001-HEAD|h001lgt"},
      {ReadTextMeshHeader("Hat.SKN\r\nx"), "Hat.SKN|x !"},
      {ReadBinaryMeshHeader(BinaryMesh("body", "x").substr(0, 6)), "nothing"},
      {ReadBinaryMeshHeader("\xFF\xFF\xFF\xFF\x7F"_b + Bytes(20, 'a')), "nothing"},
      {ReadBinaryMeshHeader(""), "nothing"},
      {ReadTextMeshHeader("only-a-name\r\n"), "nothing"},
      {ReadTextMeshHeader("only-a-name"), "nothing"},
  };
  for (const auto& [header, described] : cases) EXPECT_EQ(Describe(header), described);
}

// A Targa header: colour-map type, image type, sides and bits per pixel.
Bytes Targa(int mapType, int imageType, int width, int height, int depth) {
  Bytes header(18, '\0');
  header[1] = static_cast<char>(mapType);
  header[2] = static_cast<char>(imageType);
  header.replace(12, 2, LittleEndian16(static_cast<std::uint16_t>(width)));
  header.replace(14, 2, LittleEndian16(static_cast<std::uint16_t>(height)));
  header[16] = static_cast<char>(depth);
  return header;
}

std::string Describe(const std::optional<TextureShape>& shape) {
  if (!shape) return "nothing";
  return std::to_string(shape->width) + "x" + std::to_string(shape->height) + "x" +
         std::to_string(shape->bitsPerPixel) + (shape->paletteIndexed ? " palette" : "") +
         (IsEightBitIndexed(*shape) ? " 8-bit" : "") + (HasGameSize(*shape) ? " game-size" : "");
}

// Catches width and height or their offsets swapped, a top-down bitmap's negative height kept, a
// true-colour texture taken for an indexed one, a size test that forgets squareness or a side,
// and headers no game file has (no sides, sides past 65535, a colour-mapped Targa without a map).
TEST(SkinHeaders, TextureShapes) {
  Bytes topDown = PaletteBitmap(64, 64);
  topDown.replace(22, 4, LittleEndian32(-64));
  const std::pair<std::optional<TextureShape>, std::string> cases[] = {
      {ReadBitmapShape(PaletteBitmap(128, 128)), "128x128x8 palette 8-bit game-size"},
      {ReadBitmapShape(TrueColourBitmap(128, 128)), "128x128x24 game-size"},
      {ReadBitmapShape(PaletteBitmap(100, 100)), "100x100x8 palette 8-bit"},
      {ReadBitmapShape(PaletteBitmap(64, 128)), "64x128x8 palette 8-bit"},
      {ReadBitmapShape(topDown), "64x64x8 palette 8-bit game-size"},
      {ReadBitmapShape(BitmapHeaderOnly(0, 4)), "nothing"},
      {ReadBitmapShape(BitmapHeaderOnly(65536, 4)), "nothing"},
      {ReadBitmapShape(PaletteBitmap(256, 256).substr(0, 29)), "nothing"},
      {ReadTargaShape(Targa(1, 1, 256, 256, 8)), "256x256x8 palette 8-bit game-size"},
      {ReadTargaShape(Targa(1, 9, 64, 32, 8)), "64x32x8 palette 8-bit"},
      {ReadTargaShape(Targa(0, 2, 128, 128, 24)), "128x128x24 game-size"},
      {ReadTargaShape(Targa(0, 3, 64, 64, 8)), "64x64x8 game-size"},
      {ReadTargaShape(Targa(0, 1, 64, 64, 8)), "nothing"},
      {ReadTargaShape(Targa(0, 2, 0, 64, 24)), "nothing"},
      {ReadTargaShape(Targa(0, 2, 64, 64, 24).substr(0, 17)), "nothing"},
  };
  for (const auto& [shape, described] : cases) EXPECT_EQ(Describe(shape), described);
}

}  // namespace
}  // namespace quill::content
