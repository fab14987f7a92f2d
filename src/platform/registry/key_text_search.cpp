// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry/key_text_search.h"

#include <cstdint>
#include <cstring>

#include "platform/text.h"

namespace quill::platform::registry {

namespace {

// Sixteen bytes at a time, as the processor's vector instructions take them.
using Block = unsigned char __attribute__((vector_size(16)));

bool MatchesAt(const unsigned char* at, std::string_view folded) {
  for (std::size_t i = 0; i < folded.size(); ++i) {
    if (FoldByte(at[i]) != static_cast<unsigned char>(folded[i])) return false;
  }
  return true;
}

}  // namespace

unsigned char FoldByte(unsigned char c) {
  return static_cast<unsigned char>(AsciiLowerCase(static_cast<char>(c)));
}

// Looks at sixteen places at once for the text's first and last byte, and compares the whole
// text only where both are found.
std::size_t FindFoldedText(std::string_view text, std::string_view folded) {
  const std::size_t size = folded.size();
  if (size == 0 || size > text.size()) return std::string_view::npos;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  // With the 0x20 bit set, every byte that folds to the searched byte is equal to it (and a few
  // others, which MatchesAt then turns down): one instruction instead of a fold.
  const auto first = static_cast<unsigned char>(folded.front() | 0x20);
  const auto last = static_cast<unsigned char>(folded.back() | 0x20);
  std::size_t at = 0;
  for (; at + size - 1 + sizeof(Block) <= text.size(); at += sizeof(Block)) {
    Block starts;
    Block ends;
    std::memcpy(&starts, bytes + at, sizeof(Block));
    std::memcpy(&ends, bytes + at + size - 1, sizeof(Block));
    const Block hits =
        static_cast<Block>((starts | 0x20) == first) & static_cast<Block>((ends | 0x20) == last);
    std::uint64_t halves[2];
    std::memcpy(halves, &hits, sizeof(Block));
    if ((halves[0] | halves[1]) == 0) continue;
    for (std::size_t k = 0; k < sizeof(Block); ++k) {
      if (hits[k] != 0 && MatchesAt(bytes + at + k, folded)) return at + k;
    }
  }
  for (; at + size <= text.size(); ++at) {
    if (MatchesAt(bytes + at, folded)) return at;
  }
  return std::string_view::npos;
}

}  // namespace quill::platform::registry
