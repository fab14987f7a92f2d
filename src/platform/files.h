// SPDX-License-Identifier: GPL-3.0-or-later
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

// Reads the first `most` bytes of a regular file (all of it when shorter) into `bytes`, so that a
// reader that needs only a file's start never holds more. Refuses (false, `bytes` emptied) what
// ReadWholeFile refuses with its default limit, and a read error.
bool ReadFileStart(const std::filesystem::path& path, std::size_t most, std::string& bytes);

// Reads a regular file front to back in pieces of at most `pieceSize` bytes, handing each to
// `take`, which returns false to stop early; so a large file costs one piece of memory. Refuses
// (false) what ReadWholeFile refuses, and a file found to hold more than `limit` bytes or a read
// error ends it with false after the pieces already taken.
bool ReadFileInPieces(const std::filesystem::path& path, std::size_t limit, std::size_t pieceSize,
                      const std::function<bool(std::string_view piece)>& take);

// Reads `count` bytes from `offset` of a regular file of any size into `bytes`: an archive's
// manifest or one entry of it, without reading the rest. Refuses (false, `bytes` emptied) what
// ReadWholeFile refuses but for the file's size, a part running past the file's end, and a read
// error. `fileSize`, when given, is set to the file's size.
bool ReadFilePart(const std::filesystem::path& path, std::uint64_t offset, std::size_t count,
                  std::string& bytes, std::uint64_t* fileSize = nullptr);

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

// Something (a file, a folder, a link, even one to nothing) already has this name.
bool NameTaken(const std::filesystem::path& file);

// What a save does when something already has the file's name.
enum class WhenNameTaken {
  kKeep,     // the user was not asked: the other file stays and nothing is saved
  kReplace,  // the user agreed to replace it
};

struct SaveResult {
  enum Outcome { kSaved, kNameTaken, kFailed } outcome = kFailed;
  std::string reason;  // the system's reason, for kFailed
};

// The last two steps of a safe write, on the system's handle of the new file (a descriptor on
// POSIX). Each reports failure as the system does (errno, GetLastError) and returns false; the
// close step lets go of the handle even when it fails. Tests hand in steps that fail.
struct FinishingSteps {
  bool (*flush)(std::intptr_t file);
  bool (*close)(std::intptr_t file);
};
FinishingSteps SystemFinishingSteps();

// Writes `bytes` as the whole file `path`: into a new file beside it, every write checked,
// flushed to the disk and closed, then renamed to `path`. A full disk or any other failure leaves
// no partial file and an existing one as it was. The rename never replaces anything unless
// `whenTaken` says so, and then a symbolic link at `path` is itself replaced, never written
// through; so a file that takes the name between a check and the save is never lost.
SaveResult SaveWholeFile(const std::filesystem::path& path, std::string_view bytes,
                         WhenNameTaken whenTaken,
                         const FinishingSteps& steps = SystemFinishingSteps());

bool DeleteFileNamed(const std::filesystem::path& path);

// Where scratch folders are made: $XDG_RUNTIME_DIR when it names a folder we may write in, else
// the temporary folder.
std::filesystem::path ScratchBase();

// A folder of our own for scratch files, made private to this user, removed with its contents.
// It carries a marker naming this process, which it holds open, and so locked, for as long as the
// folder lives: a later run tells a folder left behind from a live one by that lock, which also
// holds between runs that cannot see each other's processes (containers, sandboxes).
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
  std::intptr_t marker_ = -1;  // the open marker; -1 when none is held
};

// Removes the scratch folders in `base` that runs of this user left behind when they were killed:
// folders whose marker no run holds any longer. Nothing else is touched.
void RemoveStaleScratchFolders(const std::filesystem::path& base);

struct FolderListing {
  std::vector<std::filesystem::path> folders;  // names only
  std::vector<std::filesystem::path> files;    // names only; anything that is not a folder
};

// The time a folder's entries last changed (one added, removed or renamed); nothing when it is no
// folder or cannot be examined.
std::optional<std::int64_t> FolderChangeTime(const std::filesystem::path& folder);

// A folder's path with every link resolved: the same for every way of reaching the folder, so that
// a walk through linked folders knows where it has been. Nothing when it is no folder.
std::optional<std::filesystem::path> RealFolder(const std::filesystem::path& folder);

// Lists a folder's entries; nothing when it cannot be read.
std::optional<FolderListing> ListFolder(const std::filesystem::path& folder);

// The absolute form of an existing folder, without "." or ".." (a ".." after a symbolic link is
// taken as the file system takes it) or a trailing separator; nothing when it is not a folder.
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
