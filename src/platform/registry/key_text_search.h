// SPDX-License-Identifier: GPL-3.0-or-later
// Finding a key's name in registry text far faster than its lines can be read, so that the
// lines that cannot name the key are passed over unread.
#pragma once

#include <cstddef>
#include <string_view>

namespace quill::platform::registry {

// The one rule of case for registry text, as a byte: ASCII letters fold to lower case.
unsigned char FoldByte(unsigned char c);

// Where `folded` (not empty, already folded by FoldByte) first occurs in `text` with ASCII case
// ignored; npos when it does not.
std::size_t FindFoldedText(std::string_view text, std::string_view folded);

}  // namespace quill::platform::registry
