#include "inspect/neighbourhood_files.h"

#include "chunkfile/chunk_walk.h"
#include "chunkfile/name_order.h"
#include "inspect/roster_entry.h"
#include "platform/text.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// How much of a sibling's neighbourhood file the menu reads for its families' names, and in what
// pieces: a real file holds its names well inside this, and a hostile one of the largest size read
// costs no more.
constexpr std::size_t kFamilyNameBytes = 4 * 1024 * 1024;
constexpr std::size_t kFamilyNamePiece = 64 * 1024;

Neighbourhood Unread(const std::string& why) {
  Neighbourhood hood;
  hood.problem = why;
  return hood;
}

Neighbourhood Read(const std::optional<fs::path>& file,
                   const std::optional<platform::FileStamp>& stamp, int playerSlot) {
  if (!file) {
    return Unread("There is no neighbourhood file (" + std::string(kNeighbourhoodFileName) +
                  ") beside this folder.");
  }
  // There, but no regular file: a FIFO, a device, a link that leads nowhere or round in a loop.
  if (!stamp) return Unread("The neighbourhood file cannot be read.");
  if (stamp->size > platform::kLargestReadableFile) {
    return Unread("The neighbourhood file is larger than " +
                  std::to_string(platform::kLargestReadableFile >> 20) +
                  " MiB, too large to be one.");
  }
  std::string image;
  if (!platform::ReadWholeFile(*file, image)) {
    return Unread("The neighbourhood file cannot be read.");
  }
  return ReadNeighbourhood(image, playerSlot);
}

}  // namespace

std::optional<fs::path> NeighbourhoodFileOf(const fs::path& charactersFolder) {
  const fs::path above = charactersFolder.parent_path();
  const std::optional<platform::FolderListing> listing = platform::ListFolder(above);
  if (!listing) return std::nullopt;
  // The name spelt exactly first, then the first in name order spelt in any case.
  std::vector<fs::path> names = std::move(listing->files);
  SortByName(names);
  const std::string wanted = platform::AsciiLowerCase(kNeighbourhoodFileName);
  std::optional<fs::path> found;
  for (const fs::path& name : names) {
    const std::string shown = platform::DisplayName(name);
    if (shown == kNeighbourhoodFileName) return above / name;
    if (!found && platform::AsciiLowerCase(shown) == wanted) found = above / name;
  }
  return found;
}

std::vector<fs::path> NeighbourhoodFolders(const fs::path& charactersFolder) {
  const auto named = [](const fs::path& folder, std::string_view start, bool whole) {
    const std::string name = platform::AsciiLowerCase(platform::DisplayName(folder.filename()));
    return whole ? name == start : name.rfind(start, 0) == 0;
  };
  const fs::path userData = charactersFolder.parent_path();
  if (!named(charactersFolder, "characters", true) || !named(userData, "userdata", false))
    return {};
  std::optional<platform::FolderListing> game = platform::ListFolder(userData.parent_path());
  if (!game) return {};
  SortByName(game->folders);
  std::vector<fs::path> folders;
  for (const fs::path& sibling : game->folders) {
    if (!named(sibling, "userdata", false)) continue;
    const std::optional<platform::FolderListing> inside =
        platform::ListFolder(userData.parent_path() / sibling);
    if (!inside) continue;
    for (const fs::path& folder : inside->folders) {
      if (named(folder, "characters", true)) {
        folders.push_back(userData.parent_path() / sibling / folder);
        break;
      }
    }
  }
  return folders;
}

std::string NeighbourhoodLabel(const fs::path& charactersFolder,
                               const std::vector<std::string>& familyNames) {
  std::string label = ShownFileName(charactersFolder.parent_path().filename());
  for (std::size_t k = 0; k < familyNames.size(); ++k) {
    if (k == kFamilyNamesInLabel) return label + ", \u2026";
    label += (k == 0 ? ": " : ", ") + familyNames[k];
  }
  return label;
}

std::vector<std::string> FamilyNamesBeside(const fs::path& charactersFolder, int playerSlot,
                                           std::size_t count) {
  const std::optional<fs::path> file = NeighbourhoodFileOf(charactersFolder);
  if (!file) return {};
  std::string start;
  platform::ReadFileInPieces(*file, platform::kLargestReadableFile, kFamilyNamePiece,
                             [&start](std::string_view piece) {
                               start.append(piece.substr(0, kFamilyNameBytes - start.size()));
                               return start.size() < kFamilyNameBytes;
                             });
  std::vector<std::string> names;
  VisitWholeChunks(start, [&](const ChunkRecord& chunk) {
    if (chunk.ChunkType != "FAMs") return true;
    if (std::optional<std::string> name = ReadFamilyName(BodyOf(chunk), playerSlot)) {
      names.push_back(std::move(*name));
    }
    return names.size() < count;
  });
  return names;
}

const Neighbourhood& NeighbourhoodFiles::of(const fs::path& charactersFolder, int playerSlot) {
  std::optional<fs::path> file = NeighbourhoodFileOf(charactersFolder);
  std::optional<platform::FileStamp> stamp = file ? platform::StampOf(*file) : std::nullopt;
  const auto found = kept_.find(charactersFolder);
  if (found != kept_.end() && found->second.file == file && found->second.stamp == stamp &&
      found->second.playerSlot == playerSlot) {
    return found->second.hood;
  }
  Kept& kept = kept_[charactersFolder];
  kept = Kept{std::move(file), stamp, playerSlot, {}};
  kept.hood = Read(kept.file, kept.stamp, playerSlot);
  return kept.hood;
}

}  // namespace quill
