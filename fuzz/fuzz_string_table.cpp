// SPDX-License-Identifier: GPL-3.0-or-later
// The string-table claim over an arbitrary chunk (header included), as a "STR#" row holds it; the
// game's text table read in a language over the chunk's body; the names of its slots that judge
// which language the names are in; and a code page of the game's decoding the body whole.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "inspect/language_evidence.h"
#include "inspect/localized_strings.h"
#include "inspect/name_and_description.h"
#include "inspect/string_table.h"
#include "platform/code_page.h"
#include "platform/text.h"

namespace {

// Decoded text is well-formed UTF-8 no longer than its bound.
bool Bounded(const std::string& text, std::size_t inputSize) {
  return text.size() <= inputSize * quill::platform::kUtf8BytesPerCodePageByte &&
         quill::platform::IsValidUtf8(text);
}

// The first `count` characters of UTF-8 `text`, or all of it.
std::string_view FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t at = 0;
  for (std::size_t seen = 0; at < text.size(); ++at) {
    if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && seen++ == count) break;
  }
  return text.substr(0, at);
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
  const auto strings = quill::ReadLocalizedStrings(body, playerSlot);
  // The start of the first two strings, which the inspector shows, the same as of the whole.
  constexpr std::size_t kStart = 5;
  const auto starts = quill::ReadLocalizedStrings(body, playerSlot, 2, kStart);
  FUZZ_REQUIRE(strings.has_value() == starts.has_value());
  if (strings) {
    FUZZ_REQUIRE(strings->slot >= 1 && strings->slot <= 20);
    FUZZ_REQUIRE(!strings->texts.empty());
    for (const std::string& text : strings->texts) FUZZ_REQUIRE(Bounded(text, body.size()));
    FUZZ_REQUIRE(starts->slot == strings->slot);
    FUZZ_REQUIRE(starts->texts.size() == std::min<std::size_t>(2, strings->texts.size()));
    for (std::size_t i = 0; i < starts->texts.size(); ++i) {
      const std::string& whole = strings->texts[i];
      const std::string& start = starts->texts[i];
      FUZZ_REQUIRE(FirstCharacters(start, kStart) == FirstCharacters(whole, kStart));
      // Longer than the start wherever the whole is: what is shown then ends in the cut mark.
      FUZZ_REQUIRE((FirstCharacters(start, kStart) == start) ==
                   (FirstCharacters(whole, kStart) == whole));
    }
  }
  // Each slot's name is cut to what can be shown, and a table with a name points to a slot.
  if (const auto names = quill::ReadSlotNames(body)) {
    bool named = false;
    for (const std::string& name : *names) {
      FUZZ_REQUIRE(name.size() <= 3 * (quill::platform::kNameLimit + 1));
      named = named || !name.empty();
    }
    const std::optional<int> slot = quill::MostNamedSlot({*names}, playerSlot);
    FUZZ_REQUIRE(slot.has_value() == named);
    if (slot) FUZZ_REQUIRE(!(*names)[static_cast<std::size_t>(*slot - 1)].empty());
  }
  // The second byte chooses a code page to decode the whole body in.
  const unsigned codePage = quill::CodePageOfSlot(data[1] % 20 + 1);
  FUZZ_REQUIRE(Bounded(quill::platform::CodePageToUtf8(body, codePage), body.size()));
  return 0;
}
