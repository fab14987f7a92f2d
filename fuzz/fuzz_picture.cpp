// SPDX-License-Identifier: GPL-3.0-or-later
// The picture loader over an arbitrary file and the same bytes in memory: it must refuse what it
// cannot read and never hand back a picture larger than it promises to take.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_check.h"
#include "platform/files.h"
#include "platform/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static quill::platform::ScratchFolder scratch;
  FUZZ_REQUIRE(!scratch.path().empty());
  const std::filesystem::path file = scratch.path() / "temp.bmp";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    FUZZ_REQUIRE(static_cast<bool>(out));
  }

  const auto picture = quill::platform::LoadPicture(file);
  if (size == 0) FUZZ_REQUIRE(!picture);
  // Pictures decoded straight from memory (the picture sheet) go the same way as loaded ones.
  const auto decoded = quill::platform::DecodePicture(quill::fuzz::AsBytes(data, size));
  FUZZ_REQUIRE(decoded.has_value() == picture.has_value());
  // What decodes states its size first; the picture sheet plans its cells from that alone.
  if (decoded) FUZZ_REQUIRE(quill::platform::StatedPictureSize(quill::fuzz::AsBytes(data, size)));
  if (decoded) FUZZ_REQUIRE(decoded->size() == picture->size());
  if (picture) {
    FUZZ_REQUIRE(!picture->isNull());
    FUZZ_REQUIRE(picture->width() > 0 && picture->height() > 0);
    FUZZ_REQUIRE(static_cast<long long>(picture->width()) * picture->height() <=
                 quill::platform::kLargestPicturePixels);
  }
  return 0;
}
