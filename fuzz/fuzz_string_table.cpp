// The string-table claim over an arbitrary chunk (header included), as a "STR#" row holds it; the
// game's text table read in a language over the chunk's body; and every code page the game uses
// decoding the body whole.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "inspect/localized_strings.h"
#include "inspect/string_table.h"
#include "platform/code_page.h"
#include "platform/text.h"

namespace {

// Decoded text is well-formed UTF-8 no longer than its bound.
bool Bounded(const std::string& text, std::size_t inputSize) {
  return text.size() <= inputSize * quill::platform::kUtf8BytesPerCodePageByte &&
         quill::platform::IsValidUtf8(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const quill::Bytes chunk = quill::fuzz::AsBytes(data, size);
  quill::ChunkRecord record;
  record.ChunkType = "STR#";
  record.ChunkData = chunk;
  record.ChunkSize = static_cast<std::int32_t>(size);
  record.StartPos = quill::kFileHeaderLength + 1;

  const bool hasFormat = size > static_cast<std::size_t>(quill::kChunkHeaderLength);
  bool claimed = false;
  bool failed = false;
  try {
    claimed = quill::ClaimStringTable(record);
  } catch (const quill::ChunkFailure&) {
    failed = true;
  }
  FUZZ_REQUIRE(failed == !hasFormat);
  if (hasFormat) FUZZ_REQUIRE(claimed == (data[quill::kChunkHeaderLength] >= 0xFD));
  if (!hasFormat) return 0;

  // The header's first byte chooses the player's language, 0 (none of the game's) to 20.
  const std::string_view body = std::string_view(chunk).substr(quill::kChunkHeaderLength);
  const int playerSlot = data[0] % 21;
  if (const auto strings = quill::ReadLocalizedStrings(body, playerSlot)) {
    FUZZ_REQUIRE(strings->slot >= 1 && strings->slot <= 20);
    FUZZ_REQUIRE(!strings->texts.empty());
    for (const std::string& text : strings->texts) FUZZ_REQUIRE(Bounded(text, body.size()));
  }
  for (int slot = 1; slot <= 20; ++slot) {
    const unsigned codePage = quill::CodePageOfSlot(slot);
    // Slots sharing a code page are decoded once.
    if (slot > 1 && codePage == quill::CodePageOfSlot(slot - 1)) continue;
    FUZZ_REQUIRE(Bounded(quill::platform::CodePageToUtf8(body, codePage), body.size()));
  }
  return 0;
}
