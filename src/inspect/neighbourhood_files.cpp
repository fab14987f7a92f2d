#include "inspect/neighbourhood_files.h"

#include "chunkfile/name_order.h"
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
  if (!file || !stamp) {
    return Unread("There is no neighbourhood file (" + std::string(kNeighbourhoodFileName) +
                  ") beside this folder.");
  }
  if (stamp->size > kLargestNeighbourhood) {
    return Unread("The neighbourhood file is larger than 64 MiB, too large to be one.");
  }
  std::string image;
  if (!platform::ReadWholeFile(*file, image, kLargestNeighbourhood)) {
    return Unread("The neighbourhood file cannot be read.");
  }
  return ReadNeighbourhood(image, playerSlot);
}

}  // namespace

std::optional<fs::path> NeighbourhoodFileOf(const fs::path& charactersFolder) {
  const fs::path above = charactersFolder.parent_path();
  const std::optional<platform::FolderListing> listing = platform::ListFolder(above);
  if (!listing) return std::nullopt;
  const std::string wanted = platform::AsciiLowerCase(kNeighbourhoodFileName);
  for (const fs::path& name : listing->files) {
    if (platform::AsciiLowerCase(platform::DisplayName(name)) == wanted) return above / name;
  }
  return std::nullopt;
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
  std::string label = platform::DisplayName(charactersFolder.parent_path().filename());
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
