// SPDX-License-Identifier: GPL-3.0-or-later
// What every fuzz target shares: a failed invariant stops the run as a crash, after saying which
// one failed, so that libFuzzer keeps the input that broke it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/text.h"

#define FUZZ_REQUIRE(condition)                                                               \
  do {                                                                                        \
    if (!(condition)) {                                                                       \
      std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      __builtin_trap();                                                                       \
    }                                                                                         \
  } while (0)

namespace quill::fuzz {

inline std::string AsBytes(const std::uint8_t* data, std::size_t size) {
  return size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
}

// Whether `text` is shown as the one rule for shown text shows it: well-formed UTF-8 of at most
// `limit` characters and the cut mark, with no character the lists would show otherwise (a
// control, a line break, a direction override) except, where `keepLines`, tabs and line breaks.
inline bool ShownWithin(std::string_view text, std::size_t limit, bool keepLines = false) {
  std::size_t characters = 0;
  while (!text.empty()) {
    const std::optional<platform::Utf8Char> next = platform::DecodeUtf8Char(text);
    if (!next) return false;
    text.remove_prefix(next->length);
    const bool line = next->point == '\t' || next->point == '\n' || next->point == '\r';
    if (!(keepLines && line) && platform::VisibleCharacter(next->point) != next->point)
      return false;
    ++characters;
  }
  return characters <= limit + 1;
}

}  // namespace quill::fuzz
