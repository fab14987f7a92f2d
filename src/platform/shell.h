// SPDX-License-Identifier: GPL-3.0-or-later
// Hands a web address to the desktop's browser.
#pragma once

#include <cstdint>
#include <string>

namespace quill::platform {

// Returns the shell's result: above 32 when the address was handed over, 32 or less otherwise.
std::int32_t OpenWebPage(const std::string& address);

}  // namespace quill::platform
