// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line as the system hands it over.
#pragma once

#include <filesystem>
#include <vector>

namespace quill::platform {

// One argument in the system's own form: bytes on POSIX systems, UTF-16 on Windows.
using NativeArgument = std::filesystem::path::string_type;

// Every argument, the program's own name first, exactly as the system passed it, so that a path
// that is not valid text still names its file. `argc` and `argv` are main()'s.
std::vector<NativeArgument> ProgramArguments(int argc, char** argv);

}  // namespace quill::platform
