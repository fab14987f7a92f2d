// SPDX-License-Identifier: GPL-3.0-or-later
// Every skin file of one game folder, by the name the game finds it by: loose files and the
// entries of every archive, read from the folders' listings and the archives' manifests alone.
// The index is made when first asked and made again when a folder or archive it read has changed
// since; an entry's bytes are read only when a Sim needs them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "content/skin_places.h"
#include "platform/files.h"

namespace quill::content {

// The most bytes one suit, mesh or texture file may cost.
inline constexpr std::size_t kLargestSkinFile = 64 * 1024 * 1024;

// How far one index may reach, so that no game folder (a loop of links, thousands of archives,
// manifests of millions of entries) can cost more than a few seconds or a few hundred megabytes.
struct IndexBounds {
  int deepestFolder = 24;
  std::size_t folders = 20000;
  std::size_t files = 400000;
  std::size_t archives = 20000;
  std::size_t entries = 2000000;
  std::size_t manifestBytes = 256 * 1024 * 1024;  // in all archives together
};

struct ContentEntry {
  std::string name;  // last part of its name, ASCII folded to lower case
  SkinKind kind = SkinKind::Suit;
  std::string place;  // as the player is shown it: "GameData/Skins/x.bmf", "a.far ▸ x.bmf"
  std::filesystem::path file;  // the loose file, or the archive holding it
  bool inArchive = false;
  std::uint64_t offset = 0;  // in the archive
  std::uint64_t size = 0;
  std::string moveTo;  // empty when the game reads it; else the folder it belongs in
};

class ContentIndex {
 public:
  explicit ContentIndex(std::filesystem::path gameFolder, IndexBounds bounds = {});

  // Makes the index when it has not been made or a folder or archive it read has changed since;
  // true when it was (re)made. Costs one look at each folder and archive otherwise.
  bool Refresh();

  // Every copy of `name` (lower case), those the game reads first, loose before archived; none
  // when there is no such file.
  const std::vector<ContentEntry>& Find(std::string_view name) const;

  // Every suit file, in the same order, for suits their file names do not name.
  const std::vector<const ContentEntry*>& SuitFiles() const { return suitFiles_; }

  // An entry's bytes, within kLargestSkinFile; its first `most` bytes when given. Nothing when
  // they cannot be read.
  std::optional<std::string> Read(const ContentEntry& entry,
                                  std::size_t most = kLargestSkinFile) const;

  // What the player should know of the index itself: archives refused, limits reached.
  const std::vector<std::string>& Notes() const { return notes_; }
  const std::filesystem::path& gameFolder() const { return game_; }
  // Counts a new number each time the index is made, so that what was worked out from an
  // earlier one can be told from what holds now.
  std::uint64_t generation() const { return generation_; }

 private:
  // A folder's change time (as size 0), or an archive's size and change time, when last read.
  struct Stamp {
    std::filesystem::path path;
    bool folder = true;
    std::optional<platform::FileStamp> seen;
  };
  class Builder;

  bool Unchanged() const;

  std::filesystem::path game_;
  IndexBounds bounds_;
  bool made_ = false;
  std::uint64_t generation_ = 0;
  std::vector<Stamp> stamps_;
  std::unordered_map<std::string, std::vector<ContentEntry>> byName_;
  std::vector<const ContentEntry*> suitFiles_;
  std::vector<std::string> notes_;
};

}  // namespace quill::content
