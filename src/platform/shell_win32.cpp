// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>
// After windows.h, whose definitions it needs.
#include <shellapi.h>

#include "platform/shell.h"

namespace quill::platform {

std::int32_t OpenWebPage(const std::string& address) {
  HWND owner = ::GetDesktopWindow();
  const HINSTANCE result =
      ::ShellExecuteA(owner, "Open", address.c_str(), nullptr, "C:\\", SW_SHOWNORMAL);
  return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace quill::platform
