// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/content_index.h"

#include <algorithm>
#include <set>
#include <utility>

#include "chunkfile/chunk_walk.h"
#include "content/far_archive.h"
#include "platform/text.h"

namespace quill::content {

namespace fs = std::filesystem;

namespace {

std::optional<platform::FileStamp> StampOfFolder(const fs::path& folder) {
  const std::optional<std::int64_t> changed = platform::FolderChangeTime(folder);
  if (!changed) return std::nullopt;
  return platform::FileStamp{0, *changed};
}

std::string Folded(const fs::path& name) {
  return platform::AsciiLowerCase(platform::DisplayName(name));
}

// "GameData/Skins/x.bmf": the folders from the game's folder down, as the player spells them.
std::string Shown(const std::vector<std::string>& spelled, const fs::path& name) {
  std::string place;
  for (const std::string& folder : spelled) place.append(folder).append("/");
  return platform::ShownName(place.append(platform::DisplayName(name)));
}

// What is read of an archive to know whether it is one: a file shorter than a header (an
// interrupted download) whole, so that it is refused as no archive, not as a file that cannot be
// read.
std::size_t HeaderBytes(const platform::FileStamp& archive) {
  return static_cast<std::size_t>(std::min<std::uintmax_t>(kFarHeaderSize, archive.size));
}

// The copies the game reads come first, loose before archived, each kind in the order found.
int Rank(const ContentEntry& entry) {
  return (entry.moveTo.empty() ? 0 : 2) + (entry.inArchive ? 1 : 0);
}

}  // namespace

// One walk through the game's folder, within the index's bounds.
class ContentIndex::Builder {
 public:
  Builder(ContentIndex& index) : index_(index), bounds_(index.bounds_) {}

  void Walk(const fs::path& folder, std::vector<std::string>& folded,
            std::vector<std::string>& spelled) {
    const std::optional<fs::path> real = platform::RealFolder(folder);
    if (!real || !visited_.insert(*real).second) return;  // a loop of links comes back here
    if (static_cast<int>(folded.size()) > bounds_.deepestFolder) {
      Note("folders deeper than " + std::to_string(bounds_.deepestFolder) + " were not searched");
      return;
    }
    if (++folders_ > bounds_.folders) {
      Note("only the first " + std::to_string(bounds_.folders) + " folders were searched");
      return;
    }
    index_.stamps_.push_back({folder, true, StampOfFolder(folder)});
    std::optional<platform::FolderListing> listing = platform::ListFolder(folder);
    if (!listing) return;
    // A stable order, the same on every system, so that the first copy of a name is always the
    // same.
    std::sort(listing->files.begin(), listing->files.end());
    std::sort(listing->folders.begin(), listing->folders.end());
    for (const fs::path& name : listing->files) {
      if (++files_ > bounds_.files) {
        Note("only the first " + std::to_string(bounds_.files) + " files were searched");
        return;
      }
      AddFile(folder / name, name, folded, spelled);
    }
    for (const fs::path& name : listing->folders) {
      folded.push_back(Folded(name));
      spelled.push_back(platform::DisplayName(name));
      Walk(folder / name, folded, spelled);
      folded.pop_back();
      spelled.pop_back();
    }
  }

 private:
  void AddFile(const fs::path& path, const fs::path& name, const std::vector<std::string>& folded,
               const std::vector<std::string>& spelled) {
    const std::string matched = Folded(name);
    if (IsArchiveName(matched)) {
      AddArchive(path, Shown(spelled, name));
      return;
    }
    const std::optional<SkinKind> kind = KindOfName(matched);
    if (!kind) return;
    std::optional<std::string> moveTo = LoosePlaceVerdict(folded, *kind);
    if (!moveTo) return;
    const std::optional<platform::FileStamp> stamp = platform::StampOf(path);
    if (!stamp) return;
    Add({matched, *kind, Shown(spelled, name), path, false, 0, stamp->size, std::move(*moveTo)});
  }

  void AddArchive(const fs::path& path, const std::string& shown) {
    if (++archives_ > bounds_.archives) {
      Note("only the first " + std::to_string(bounds_.archives) + " archives were searched");
      return;
    }
    std::optional<platform::FileStamp> stamp = platform::StampOf(path);
    index_.stamps_.push_back({path, false, stamp});
    std::string bytes;
    std::uint64_t size = 0;
    if (!stamp || !platform::ReadFilePart(path, 0, HeaderBytes(*stamp), bytes, &size)) {
      Note(shown + " cannot be read");
      return;
    }
    const std::optional<std::uint32_t> at = ReadFarHeader(bytes, size);
    if (!at) {
      Note(shown + " is no archive the game can read");
      return;
    }
    const std::uint64_t manifestSize = size - *at;
    if (manifestSize > bounds_.manifestBytes - std::min(manifestBytes_, bounds_.manifestBytes)) {
      Note(shown + " was not searched: the archives' manifests passed " +
           std::to_string(bounds_.manifestBytes / (1024 * 1024)) + " MiB");
      return;
    }
    manifestBytes_ += manifestSize;
    std::optional<FarManifest> manifest;
    if (platform::ReadFilePart(path, *at, static_cast<std::size_t>(manifestSize), bytes)) {
      manifest = ReadFarManifest(bytes, *at);
    }
    if (!manifest) {
      Note(shown + " has a damaged list of contents");
      return;
    }
    for (const std::string& refused : manifest->refused) Note(shown + ": " + refused);
    for (const FarEntry& entry : manifest->entries) {
      const std::string matched =
          platform::AsciiLowerCase(Cp1252ToUtf8(MatchedEntryName(entry.storedName)));
      const std::optional<SkinKind> kind = KindOfName(matched);
      if (!kind) continue;
      if (++entries_ > bounds_.entries) {
        Note("only the first " + std::to_string(bounds_.entries) +
             " archive entries were searched");
        return;
      }
      Add({matched,
           *kind,
           shown + " \u25b8 " + platform::ShownName(Cp1252ToUtf8(entry.storedName)),
           path,
           true,
           entry.offset,
           entry.size,
           {}});
    }
  }

  void Add(ContentEntry entry) {
    std::vector<ContentEntry>& copies = index_.byName_[entry.name];
    copies.push_back(std::move(entry));
  }

  void Note(std::string note) {
    if (noted_.insert(note).second) index_.notes_.push_back(std::move(note));
  }

  ContentIndex& index_;
  const IndexBounds& bounds_;
  std::set<fs::path> visited_;
  std::set<std::string> noted_;
  std::size_t folders_ = 0;
  std::size_t files_ = 0;
  std::size_t archives_ = 0;
  std::size_t entries_ = 0;
  std::uint64_t manifestBytes_ = 0;
};

ContentIndex::ContentIndex(fs::path gameFolder, IndexBounds bounds)
    : game_(std::move(gameFolder)), bounds_(bounds) {}

bool ContentIndex::Unchanged() const {
  return std::all_of(stamps_.begin(), stamps_.end(), [](const Stamp& stamp) {
    return stamp.seen == (stamp.folder ? StampOfFolder(stamp.path) : platform::StampOf(stamp.path));
  });
}

bool ContentIndex::Refresh() {
  if (made_ && Unchanged()) return false;
  made_ = true;
  ++generation_;
  stamps_.clear();
  byName_.clear();
  suitFiles_.clear();
  notes_.clear();
  std::vector<std::string> folded;
  std::vector<std::string> spelled;
  Builder(*this).Walk(game_, folded, spelled);
  for (auto& [name, copies] : byName_) {
    std::stable_sort(
        copies.begin(), copies.end(),
        [](const ContentEntry& a, const ContentEntry& b) { return Rank(a) < Rank(b); });
  }
  // Made once every copy is in place, so that the pointers stay good.
  for (const auto& [name, copies] : byName_) {
    for (const ContentEntry& copy : copies)
      if (copy.kind == SkinKind::Suit) suitFiles_.push_back(&copy);
  }
  std::sort(suitFiles_.begin(), suitFiles_.end(), [](const ContentEntry* a, const ContentEntry* b) {
    return std::pair(Rank(*a), a->place) < std::pair(Rank(*b), b->place);
  });
  return true;
}

const std::vector<ContentEntry>& ContentIndex::Find(std::string_view name) const {
  static const std::vector<ContentEntry> kNone;
  const auto found = byName_.find(std::string(name));
  return found == byName_.end() ? kNone : found->second;
}

std::optional<std::string> ContentIndex::Read(const ContentEntry& entry, std::size_t most) const {
  const std::size_t count =
      static_cast<std::size_t>(std::min<std::uint64_t>({entry.size, most, kLargestSkinFile}));
  std::string bytes;
  if (entry.inArchive) {
    if (!platform::ReadFilePart(entry.file, entry.offset, count, bytes)) return std::nullopt;
    return bytes;
  }
  if (count < entry.size) {
    if (!platform::ReadFileStart(entry.file, count, bytes)) return std::nullopt;
    return bytes;
  }
  if (!platform::ReadWholeFile(entry.file, bytes, kLargestSkinFile)) return std::nullopt;
  return bytes;
}

}  // namespace quill::content
