// SPDX-License-Identifier: GPL-3.0-or-later
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

// Whether the character steers the direction of the text around it: the marks, embeddings,
// overrides and isolates of bidirectional text (U+061C, U+200E, U+200F, U+202A to U+202E, U+2066
// to U+2069). One in a name would turn the rest of a line around it, file name and all.
inline bool IsDirectionControl(char32_t point) {
  return point == 0x061C || point == 0x200E || point == 0x200F ||
         (point >= 0x202A && point <= 0x202E) || (point >= 0x2066 && point <= 0x2069);
}

// A character as the lists show it, so that a name always stays one line and in its own order: a
// control character (below U+0020, or U+007F) as its visible symbol from the Control Pictures
// block (U+2400 to U+2421); the controls, line breaks and direction controls that have none
// (U+0080 to U+009F, U+2028, U+2029, IsDirectionControl) as U+FFFD; any other as itself.
inline char32_t VisibleCharacter(char32_t point) {
  if (point < 0x20) return 0x2400 + point;
  if (point == 0x7F) return 0x2421;
  if ((point >= 0x80 && point <= 0x9F) || point == 0x2028 || point == 0x2029 ||
      IsDirectionControl(point)) {
    return 0xFFFD;
  }
  return point;
}

// Appends the code point `point` (at most U+10FFFF) to `out` as UTF-8.
void AppendUtf8(std::string& out, char32_t point);

// UTF-8 text as the lists and `quillmere --list` show names: each character as VisibleCharacter
// shows it (a tab or newline in a file name, say), and bytes that are not UTF-8 as U+FFFD.
std::string VisibleText(std::string_view text);

// The most characters of a name (a Sim's, a family's, a file's) and of a description or biography
// that are shown. A name or biography of megabytes would otherwise hold every list, card and
// listing up for seconds.
inline constexpr std::size_t kNameLimit = 300;
inline constexpr std::size_t kDescriptionLimit = 30000;
// What ends a name or description that was cut: "…".
inline constexpr std::string_view kCutMark = "\xE2\x80\xA6";

// The one rule for a name, wherever it comes from (a character file, a neighbourhood, a family
// export, a file's name): its first kNameLimit characters, then kCutMark when there were more,
// each character as VisibleText shows it. Costs what is shown, however long `text` is, so every
// reader applies it where it makes the name and nothing downstream has to.
std::string ShownName(std::string_view text);

// The same rule for a description or a biography, with kDescriptionLimit, and tabs and line
// breaks (U+0009, U+000A, U+000D) kept as they are: the text box shows its lines.
std::string ShownDescription(std::string_view text);

}  // namespace quill::platform
