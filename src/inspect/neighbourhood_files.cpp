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
    if (platform::AsciiLowerCase(name.string()) == wanted) return above / name;
  }
  return std::nullopt;
}

std::vector<fs::path> NeighbourhoodFolders(const fs::path& charactersFolder) {
  const auto named = [](const fs::path& folder, std::string_view start, bool whole) {
    const std::string name = platform::AsciiLowerCase(folder.filename().string());
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

std::string NeighbourhoodLabel(const fs::path& charactersFolder, const Neighbourhood& hood) {
  constexpr std::size_t kNamesShown = 3;
  std::string label = platform::DisplayName(charactersFolder.parent_path().filename());
  std::size_t named = 0;
  for (const FamilyRecord& family : hood.families) {
    if (!family.name) continue;
    if (named == kNamesShown) return label + ", \u2026";
    label += (named++ == 0 ? ": " : ", ") + *family.name;
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
