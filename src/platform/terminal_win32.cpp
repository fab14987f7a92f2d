// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include "platform/terminal.h"

namespace quill::platform {

// A console answers for its mode; a file or a pipe does not.
bool StandardErrorIsTerminal() {
  DWORD mode = 0;
  return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace quill::platform
