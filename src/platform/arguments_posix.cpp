// SPDX-License-Identifier: GPL-3.0-or-later
// The arguments of a POSIX program are its argv bytes; no encoding is assumed.
#include "platform/arguments.h"

namespace quill::platform {

std::vector<NativeArgument> ProgramArguments(int argc, char** argv) {
  std::vector<NativeArgument> arguments;
  for (int index = 0; index < argc && argv[index] != nullptr; ++index) {
    arguments.emplace_back(argv[index]);
  }
  return arguments;
}

}  // namespace quill::platform
