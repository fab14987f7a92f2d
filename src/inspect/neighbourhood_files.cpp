// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/neighbourhood_files.h"

#include "chunkfile/name_order.h"
#include "inspect/roster_entry.h"
#include "platform/text.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

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

std::vector<fs::path> NeighbourhoodFolders(const fs::path& charactersFolder, std::size_t most) {
  if (!NeighbourhoodFileOf(charactersFolder)) return {};
  const fs::path game = charactersFolder.parent_path().parent_path();
  std::optional<platform::FolderListing> siblings = platform::ListFolder(game);
  if (!siblings) return {};
  SortByName(siblings->folders);
  std::vector<fs::path> folders;
  bool ownListed = false;
  for (const fs::path& sibling : siblings->folders) {
    if (folders.size() == most) break;
    const std::optional<platform::FolderListing> inside = platform::ListFolder(game / sibling);
    if (!inside) continue;
    for (const fs::path& folder : inside->folders) {
      const fs::path characters = game / sibling / folder;
      if (platform::AsciiLowerCase(platform::DisplayName(folder)) != "characters" ||
          !NeighbourhoodFileOf(characters)) {
        continue;
      }
      // The last place left is kept for the open folder, which is always offered.
      const bool own = characters == charactersFolder;
      if (own || ownListed || folders.size() + 1 < most) folders.push_back(characters);
      ownListed = ownListed || own;
      break;
    }
  }
  return folders;
}

std::string NeighbourhoodLabel(const fs::path& charactersFolder,
                               const std::vector<std::string>& familyNames) {
  constexpr std::size_t kNamesShown = 3;
  std::string label = ShownFileName(charactersFolder.parent_path().filename());
  for (std::size_t k = 0; k < familyNames.size(); ++k) {
    if (k == kNamesShown) return label + ", \u2026";
    label += (k == 0 ? ": " : ", ") + familyNames[k];
  }
  return label;
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
