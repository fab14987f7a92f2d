// SPDX-License-Identifier: GPL-3.0-or-later
// The neighbourhood files of the folders a player looks at, each read when first needed and again
// only when it has changed.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "inspect/neighbourhood.h"
#include "platform/files.h"

namespace quill {

// The neighbourhood file in the folder above `charactersFolder`: "Neighborhood.iff" spelt so when
// there is one, else the first in name order spelt in another case.
std::optional<std::filesystem::path> NeighbourhoodFileOf(
    const std::filesystem::path& charactersFolder);

// When a neighbourhood file lies beside `charactersFolder` (in the folder above it), the
// Characters folders of every folder beside that one that has a neighbourhood file too, itself
// included, in name order; otherwise none. At most `most` (at least 1) are looked for, the open
// folder always among them.
std::vector<std::filesystem::path> NeighbourhoodFolders(
    const std::filesystem::path& charactersFolder, std::size_t most);

// "UserData2: Goth, Pleasant, Newbie, …" (at most three families' names, then "…" when there are
// more), or the folder's name alone; the folder's name shown by the rule for names.
std::string NeighbourhoodLabel(const std::filesystem::path& charactersFolder,
                               const std::vector<std::string>& familyNames);

class NeighbourhoodFiles {
 public:
  // The neighbourhood of a Characters folder. A missing, unreadable or oversized file gives an
  // empty neighbourhood whose problem says so.
  const Neighbourhood& of(const std::filesystem::path& charactersFolder, int playerSlot);

 private:
  struct Kept {
    std::optional<std::filesystem::path> file;
    std::optional<platform::FileStamp> stamp;
    int playerSlot = 0;
    Neighbourhood hood;
  };
  std::map<std::filesystem::path, Kept> kept_;
};

}  // namespace quill
