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

// The neighbourhood file in the folder above `charactersFolder`, whatever the case of its name.
std::optional<std::filesystem::path> NeighbourhoodFileOf(
    const std::filesystem::path& charactersFolder);

// When `charactersFolder` is a neighbourhood's Characters folder (in a folder "UserData*"), the
// Characters folders of every "UserData*" folder beside that one that has one, itself included, in
// name order; otherwise none.
std::vector<std::filesystem::path> NeighbourhoodFolders(
    const std::filesystem::path& charactersFolder);

// "UserData2: Goth, Pleasant, ..." (at most three families' names), or the folder's name alone.
std::string NeighbourhoodLabel(const std::filesystem::path& charactersFolder,
                               const Neighbourhood& hood);

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
