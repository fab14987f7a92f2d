// SPDX-License-Identifier: GPL-3.0-or-later
// The looks reader: a body-string table's body, and the same bytes as a whole character file.
// What is read comes from the bytes, and every garment has all three of its parts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "inspect/body_strings.h"

namespace {

void CheckGarment(const std::optional<quill::Garment>& garment, std::size_t size) {
  if (!garment) return;
  FUZZ_REQUIRE(!garment->mesh.empty() && !garment->part.empty() && !garment->texture.empty());
  // A Windows-1252 byte takes at most three bytes of UTF-8.
  FUZZ_REQUIRE(garment->mesh.size() + garment->part.size() + garment->texture.size() <= 3 * size);
}

void Check(const std::optional<quill::BodyLooks>& looks, std::size_t size) {
  if (!looks) return;
  CheckGarment(looks->body, size);
  CheckGarment(looks->head, size);
  FUZZ_REQUIRE(looks->outfits.size() <= size);
  int previous = 2;  // outfits come after the skeleton, body and head strings
  for (const quill::Outfit& outfit : looks->outfits) {
    FUZZ_REQUIRE(outfit.index > previous);
    previous = outfit.index;
    CheckGarment(outfit.garment, size);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = quill::fuzz::AsBytes(data, size);
  Check(quill::ReadBodyStrings(bytes), size);
  Check(quill::BodyLooksOf(bytes), size);
  return 0;
}
