// Case and UTF-8 over plain bytes, the same whatever the locale: file names, chunk labels and
// registry paths are compared and shown alike on every machine.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quill::platform {

// The byte with an ASCII capital in lower case; every other byte as it was. For comparing
// names and words without regard to letter case. Inline: the registry reader runs it over whole
// files.
inline char AsciiLowerCase(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string AsciiLowerCase(std::string_view text);

struct Utf8Char {
  char32_t point = 0;
  std::size_t length = 0;  // the bytes it takes, 1 to 4
};

// The character at the front of `text`; nothing when `text` is empty or does not begin with a
// well-formed UTF-8 sequence (a stray or missing continuation byte, an overlong form, a
// surrogate, a point past U+10FFFF).
std::optional<Utf8Char> DecodeUtf8Char(std::string_view text);

// Whether all of `text` is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

// A control character (below U+0020, or U+007F) as its visible symbol from the Control Pictures
// block (U+2400 to U+2421); any other as itself. So that a name always stays one line.
inline char32_t VisibleCharacter(char32_t point) {
  if (point < 0x20) return 0x2400 + point;
  return point == 0x7F ? 0x2421 : point;
}

// Appends the code point `point` (at most U+10FFFF) to `out` as UTF-8.
void AppendUtf8(std::string& out, char32_t point);

}  // namespace quill::platform
