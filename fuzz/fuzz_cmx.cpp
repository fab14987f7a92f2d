// SPDX-License-Identifier: GPL-3.0-or-later
// The text suit-file reader: what it reads fits in the input (suit_check.h), and only what starts
// as a text suit file is read as one.
#include <cstddef>
#include <cstdint>
#include <string>

#include "suit_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = quill::fuzz::AsBytes(data, size);
  const std::optional<quill::content::SuitFile> file = quill::content::ReadTextSuitFile(text);
  FUZZ_REQUIRE(!file || quill::content::IsTextSuitFile(text));
  // A bone takes ten lines and a skin four, each line at least its line end but the last.
  quill::fuzz::CheckSuitFile(file, size, {10, 4});
  return 0;
}
