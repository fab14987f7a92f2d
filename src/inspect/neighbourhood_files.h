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

// When `charactersFolder` is a neighbourhood's Characters folder (in a folder "UserData*"), the
// Characters folders of every "UserData*" folder beside that one that has one, itself included, in
// name order; otherwise none.
std::vector<std::filesystem::path> NeighbourhoodFolders(
    const std::filesystem::path& charactersFolder);

inline constexpr std::size_t kFamilyNamesInLabel = 3;

// "UserData2: Goth, Pleasant, Newbie, …" (at most kFamilyNamesInLabel families' names, then "…"
// when there are more), or the folder's name alone; the folder's name shown by the rule for names.
std::string NeighbourhoodLabel(const std::filesystem::path& charactersFolder,
                               const std::vector<std::string>& familyNames);

// The names of the families of the neighbourhood beside `charactersFolder`, for a menu of
// neighbourhoods: the "FAMs" chunks' names in file order, at most `count`, in language slot
// `playerSlot`, each shown by the rule for names. Reads only the file's first 4 MiB, in pieces,
// and keeps nothing; none when there is no readable file.
std::vector<std::string> FamilyNamesBeside(const std::filesystem::path& charactersFolder,
                                           int playerSlot, std::size_t count);

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
