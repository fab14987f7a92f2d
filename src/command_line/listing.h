// SPDX-License-Identifier: GPL-3.0-or-later
// `quillmere --list [--json] [PATH]`: the answer, as text and an exit status, so that it can be
// given without a process.
#pragma once

#include <filesystem>
#include <string>

namespace quill {

namespace content {
class GameSkins;
}

struct Answer {
  std::string out;  // for standard output
  std::string err;  // for standard error
  int status = 0;   // the program's exit status once both are written
};

// The folder whose game a Sim in `path` belongs to: the folder itself, or a file's folder.
std::filesystem::path SimsFolderOf(const std::filesystem::path& path, bool folder);

// The roster of a folder, or the members of a family export, in the game's language slot
// `languageSlot`; as JSON lines with `json`. A path that cannot be listed gives status 2 and why.
// With `json`, each Sim's looks are checked against the game `skins` finds for the path, when it
// finds one.
Answer ListPath(const std::filesystem::path& path, int languageSlot, bool json,
                content::GameSkins* skins = nullptr);

// `quillmere --check`: one line per problem of the looks of each Sim of a folder, a character
// file or a family export ("file<TAB>Sim<TAB>part<TAB>code: problem"); status 1 when any Sim would
// not look right, 0 when all would, 2 when the path or no game folder could be read. `searched`
// says where the search for the game's folder looked.
Answer CheckPath(const std::filesystem::path& path, int languageSlot, content::GameSkins& skins,
                 const std::string& searched);

}  // namespace quill
