// SPDX-License-Identifier: GPL-3.0-or-later
// A Windows program's argv is in the ANSI code page, which cannot spell every file name: the
// arguments are split from the UTF-16 command line instead, as Windows itself splits them.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/arguments.h"

namespace quill::platform {

std::vector<NativeArgument> ProgramArguments(int, char**) {
  std::vector<NativeArgument> arguments;
  int count = 0;
  LPWSTR* split = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (split == nullptr) return arguments;
  for (int index = 0; index < count; ++index) arguments.emplace_back(split[index]);
  ::LocalFree(split);
  return arguments;
}

}  // namespace quill::platform
