// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text.h"

#include <algorithm>

namespace quill::platform {

std::string AsciiLowerCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = AsciiLowerCase(c);
  return folded;
}

std::optional<Utf8Char> DecodeUtf8Char(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const auto lead = static_cast<unsigned char>(text.front());
  if (lead < 0x80) return Utf8Char{lead, 1};
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead >= 0xF8 || text.size() < length) return std::nullopt;
  char32_t point = lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    point = point << 6 | (next & 0x3F);
  }
  // Each length has a smallest point of its own; a smaller one is an overlong spelling.
  static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (point < kShortest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
    return std::nullopt;
  }
  return Utf8Char{point, length};
}

bool IsValidUtf8(std::string_view text) {
  while (!text.empty()) {
    const std::optional<Utf8Char> next = DecodeUtf8Char(text);
    if (!next) return false;
    text.remove_prefix(next->length);
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t point) {
  if (point < 0x80) {
    out.push_back(static_cast<char>(point));
  } else if (point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | point >> 6));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else if (point < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | point >> 12));
    out.push_back(static_cast<char>(0x80 | (point >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | point >> 18));
    out.push_back(static_cast<char>(0x80 | (point >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  }
}

namespace {

std::string Shown(std::string_view text, std::size_t limit, bool keepLines) {
  std::string shown;
  shown.reserve(std::min(text.size(), limit));
  for (std::size_t characters = 0; !text.empty(); ++characters) {
    if (characters == limit) return shown.append(kCutMark);
    const std::optional<Utf8Char> next = DecodeUtf8Char(text);
    const char32_t point = next ? next->point : 0xFFFD;
    text.remove_prefix(next ? next->length : 1);
    const bool line = point == '\t' || point == '\n' || point == '\r';
    AppendUtf8(shown, keepLines && line ? point : VisibleCharacter(point));
  }
  return shown;
}

}  // namespace

std::string VisibleText(std::string_view text) {
  return Shown(text, std::string_view::npos, false);
}

std::string ShownName(std::string_view text) {
  return Shown(text, kNameLimit, false);
}

std::string ShownDescription(std::string_view text) {
  return Shown(text, kDescriptionLimit, true);
}

}  // namespace quill::platform
