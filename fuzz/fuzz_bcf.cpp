// SPDX-License-Identifier: GPL-3.0-or-later
// The binary suit-file reader: what it reads fits in the input (suit_check.h).
#include <cstddef>
#include <cstdint>
#include <string>

#include "suit_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = quill::fuzz::AsBytes(data, size);
  // A bone's fixed fields take 52 bytes and its two strings one each; a skin's, 8 and 2.
  quill::fuzz::CheckSuitFile(quill::content::ReadBinarySuitFile(bytes), size, {54, 10});
  return 0;
}
