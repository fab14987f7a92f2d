// SPDX-License-Identifier: GPL-3.0-or-later
// `quillmere --list [--json] [PATH]`: the answer, as text and an exit status, so that it can be
// given without a process.
#pragma once

#include <filesystem>
#include <string>

namespace quill {

struct Answer {
  std::string out;  // for standard output
  std::string err;  // for standard error
  int status = 0;   // the program's exit status once both are written
};

// The roster of a folder, or the members of a family export, in the game's language slot
// `languageSlot`; as JSON lines with `json`. A path that cannot be listed gives status 2 and why.
Answer ListPath(const std::filesystem::path& path, int languageSlot, bool json);

}  // namespace quill
