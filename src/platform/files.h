// File-system services: everything the viewer needs from the operating system's file calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill::platform {

// Character files are a few hundred kilobytes; anything far larger is not one, and reading it
// whole would only let a hostile folder exhaust memory.
inline constexpr std::size_t kLargestReadableFile = 64 * 1024 * 1024;

// Reads a regular file whole (following links) into `bytes`, one char per byte, reusing its
// storage. Devices, FIFOs, folders, unreadable files and files over `limit` bytes are refused
// (false, `bytes` emptied); opening never blocks.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes,
                   std::size_t limit = kLargestReadableFile);

inline std::optional<std::string> ReadWholeFile(const std::filesystem::path& path,
                                                std::size_t limit = kLargestReadableFile) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes, limit)) return std::nullopt;
  return bytes;
}

// Reads a regular file front to back in pieces of at most `pieceSize` bytes, handing each to
// `take`, which returns false to stop early; so a large file costs one piece of memory. Refuses
// (false) what ReadWholeFile refuses, and a file found to hold more than `limit` bytes or a read
// error ends it with false after the pieces already taken.
bool ReadFileInPieces(const std::filesystem::path& path, std::size_t limit, std::size_t pieceSize,
                      const std::function<bool(std::string_view piece)>& take);

// What tells one version of a file from the next without reading it: its size and the time of
// its last change.
struct FileStamp {
  std::uintmax_t size = 0;
  std::int64_t modified = 0;
  bool operator==(const FileStamp&) const = default;
};
// Nothing when the path is no regular file (links followed) or cannot be examined.
std::optional<FileStamp> StampOf(const std::filesystem::path& path);

// Writes `bytes` at offset 0 without emptying the file first, creating it (owner-only) when absent.
// Refuses to follow a symbolic link in the file's place.
bool WriteAtStart(const std::filesystem::path& path, const std::string& bytes);

bool DeleteFileNamed(const std::filesystem::path& path);

// Where scratch folders are made: $XDG_RUNTIME_DIR when it is set, else the temporary folder.
std::filesystem::path ScratchBase();

// A folder of our own for scratch files, made private to this user, removed with its contents.
// It carries a marker naming this process, so that a later run can tell it was left behind.
class ScratchFolder {
 public:
  ScratchFolder() : ScratchFolder(ScratchBase()) {}
  explicit ScratchFolder(const std::filesystem::path& base);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Empty when the folder could not be made; callers then simply fail to write into it.
  const std::filesystem::path& path() const { return path_; }
  void remove();

 private:
  void mark();

  std::filesystem::path path_;
};

// Removes the scratch folders in `base` that runs of this user left behind when they were killed:
// folders carrying the marker of a process that no longer runs. Nothing else is touched.
void RemoveStaleScratchFolders(const std::filesystem::path& base);

struct FolderListing {
  std::vector<std::filesystem::path> folders;  // names only
  std::vector<std::filesystem::path> files;    // names only; anything that is not a folder
};

// Lists a folder's entries; nothing when it cannot be read.
std::optional<FolderListing> ListFolder(const std::filesystem::path& folder);

// The absolute, normalised form of an existing folder, or nothing when it is not one.
std::optional<std::filesystem::path> ResolveFolder(const std::filesystem::path& folder);

std::filesystem::path CurrentFolder();

// The drives the drive list offers: "A:", "C:", ... on Windows; the one root "/" elsewhere.
std::vector<std::string> ListDrives();

// The drive a path lies on: "C:" on Windows; the one root "/" elsewhere.
std::string DriveOf(const std::filesystem::path& path);

// The folder list's separator rule: one separator between folder and name, never two.
std::filesystem::path JoinFolderAndName(const std::filesystem::path& folder,
                                        const std::filesystem::path& name);

// Text for showing a native name; bytes that are not valid in the file-name encoding are kept
// visible rather than dropped.
std::string DisplayName(const std::filesystem::path& path);

}  // namespace quill::platform
