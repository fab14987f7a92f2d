// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include <string>

#include "platform/code_page.h"

namespace quill::platform {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// `bytes` decoded whole, or nothing when the code page does not define all of them.
bool AppendDecoded(std::string& text, std::string_view bytes, unsigned codePage) {
  const int size = static_cast<int>(bytes.size());
  const int wideSize =
      MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (wideSize <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), wideSize);
  const int utf8Size =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
  if (utf8Size <= 0) return false;
  const std::size_t at = text.size();
  text.resize(at + static_cast<std::size_t>(utf8Size));
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, text.data() + at, utf8Size, nullptr,
                      nullptr);
  return true;
}

}  // namespace

std::string CodePageToUtf8(std::string_view bytes, unsigned codePage) {
  std::string text;
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX / 2)) return text;
  if (IsValidCodePage(codePage) && AppendDecoded(text, bytes, codePage)) return text;
  // Some byte is undefined: decode character by character, marking each bad one's first byte
  // with U+FFFD and going on after it, as the POSIX decoder does.
  text.clear();
  const bool known = IsValidCodePage(codePage) != 0;
  for (std::size_t at = 0; at < bytes.size();) {
    const bool lead = known && IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[at]));
    const std::size_t length = lead ? 2 : 1;
    if (known && at + length <= bytes.size() &&
        AppendDecoded(text, bytes.substr(at, length), codePage)) {
      at += length;
    } else {
      text += kReplacement;
      ++at;
    }
  }
  return text;
}

}  // namespace quill::platform
