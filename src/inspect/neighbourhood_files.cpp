#include "inspect/neighbourhood_files.h"

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
