// SPDX-License-Identifier: GPL-3.0-or-later
// Text stored in a Windows code page, as the operating system decodes it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quill::platform {

// No byte of a code page becomes more than this many bytes of UTF-8 (U+FFFD, the widest a
// single byte can give, takes three), so the result is at most this times the input's size.
inline constexpr std::size_t kUtf8BytesPerCodePageByte = 3;

// `bytes` in Windows code page `codePage` (1252, 932, 949, ...) as UTF-8. A byte or sequence the
// code page does not define becomes U+FFFD and decoding goes on after its first byte; an unknown
// code page gives one U+FFFD per byte. Never throws.
std::string CodePageToUtf8(std::string_view bytes, unsigned codePage);

}  // namespace quill::platform
