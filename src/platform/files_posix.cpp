// SPDX-License-Identifier: GPL-3.0-or-later
// File services on POSIX systems.
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/files.h"
#include "platform/read_to_end.h"
#include "platform/scratch_owner.h"
#include "platform/text.h"

namespace quill::platform {

namespace fs = std::filesystem;

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now (once), for callers that do not mind how.
  void close() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  }
  // Hands the descriptor over to a caller that closes it.
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// Opens a file for reading without blocking, so that a FIFO planted under a character file's name
// cannot stall the viewer.
int OpenForReading(const fs::path& path) {
  return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
}

// The size of the open file, when it is a regular file of at most `limit` bytes.
std::optional<std::size_t> RegularFileSize(const Descriptor& file, std::size_t limit) {
  struct stat info {};
  if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
      info.st_size < 0 || static_cast<std::size_t>(info.st_size) > limit) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(info.st_size);
}

long long ReadSome(const Descriptor& file, char* into, std::size_t room) {
  for (;;) {
    const ssize_t got = ::read(file.get(), into, room);
    if (got >= 0 || errno != EINTR) return got;
  }
}

}  // namespace

bool ReadWholeFile(const fs::path& path, std::string& bytes, std::size_t limit) {
  Descriptor file(OpenForReading(path));
  const std::optional<std::size_t> size = RegularFileSize(file, limit);
  if (!size) {
    bytes.clear();
    return false;
  }
  return ReadToEnd(bytes, *size, limit,
                   [&file](char* into, std::size_t room) { return ReadSome(file, into, room); });
}

bool ReadFileInPieces(const fs::path& path, std::size_t limit, std::size_t pieceSize,
                      const std::function<bool(std::string_view piece)>& take) {
  Descriptor file(OpenForReading(path));
  if (!RegularFileSize(file, limit)) return false;
  std::string piece(std::max<std::size_t>(pieceSize, 1), '\0');
  std::size_t total = 0;
  for (;;) {
    const long long got = ReadSome(file, piece.data(), piece.size());
    if (got < 0) return false;
    if (got == 0) return true;
    total += static_cast<std::size_t>(got);
    if (total > limit) return false;
    if (!take(std::string_view(piece.data(), static_cast<std::size_t>(got)))) return true;
  }
}

bool ReadFileStart(const fs::path& path, std::size_t most, std::string& bytes) {
  Descriptor file(OpenForReading(path));
  const std::optional<std::size_t> size = RegularFileSize(file, kLargestReadableFile);
  if (!size) {
    bytes.clear();
    return false;
  }
  return ReadUpTo(bytes, std::min(most, *size),
                  [&file](char* into, std::size_t room) { return ReadSome(file, into, room); });
}

bool ReadFilePart(const fs::path& path, std::uint64_t offset, std::size_t count, std::string& bytes,
                  std::uint64_t* fileSize) {
  bytes.clear();
  Descriptor file(OpenForReading(path));
  const std::optional<std::size_t> size =
      RegularFileSize(file, std::numeric_limits<std::size_t>::max());
  if (!size || offset > *size || count > *size - offset) return false;
  if (fileSize != nullptr) *fileSize = *size;
  if (::lseek(file.get(), static_cast<off_t>(offset), SEEK_SET) < 0) return false;
  if (!ReadUpTo(bytes, count,
                [&file](char* into, std::size_t room) { return ReadSome(file, into, room); })) {
    return false;
  }
  if (bytes.size() == count) return true;
  bytes.clear();
  return false;
}

namespace {

bool WriteAllAtStart(int file, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t put =
        ::pwrite(file, bytes.data() + written, bytes.size() - written, static_cast<off_t>(written));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    written += static_cast<std::size_t>(put);
  }
  return true;
}

}  // namespace

bool WriteAtStart(const fs::path& path, const std::string& bytes) {
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
  return file.get() >= 0 && WriteAllAtStart(file.get(), bytes);
}

namespace {

std::string Reason(int error) {
  return std::generic_category().message(error);
}

// Gives `partial` the name `path` unless something already has it: false with errno EEXIST then.
bool RenameKeepingOthers(const fs::path& partial, const fs::path& path) {
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, partial.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS) return false;
#endif
  // A file system without that rename: a new link fails as well when the name is taken.
  if (::link(partial.c_str(), path.c_str()) != 0) return false;
  ::unlink(partial.c_str());
  return true;
}

}  // namespace

FinishingSteps SystemFinishingSteps() {
  return {[](std::intptr_t file) { return ::fsync(static_cast<int>(file)) == 0; },
          [](std::intptr_t file) { return ::close(static_cast<int>(file)) == 0; }};
}

SaveResult SaveWholeFile(const fs::path& path, std::string_view bytes, WhenNameTaken whenTaken,
                         const FinishingSteps& steps) {
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  fs::path partial;
  int fd = -1;
  // A name of its own, so that nothing else in the folder is ever opened; never a link's target.
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    partial = folder / (".quillmere-" + std::to_string(::getpid()) + "-" + std::to_string(attempt) +
                        ".part");
    fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return {SaveResult::kFailed, Reason(errno)};
  }
  if (fd < 0) return {SaveResult::kFailed, Reason(EEXIST)};
  Descriptor file(fd);
  const auto fail = [&](int error) {
    file.close();
    ::unlink(partial.c_str());
    return SaveResult{SaveResult::kFailed, Reason(error)};
  };
  for (std::size_t written = 0; written < bytes.size();) {
    const ssize_t put = ::write(file.get(), bytes.data() + written, bytes.size() - written);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return fail(errno);
    if (put == 0) return fail(ENOSPC);
    written += static_cast<std::size_t>(put);
  }
  // A disk that fills up may only say so when the data is flushed, or even when it is closed.
  if (!steps.flush(file.get())) return fail(errno);
  if (!steps.close(file.release())) return fail(errno);
  if (whenTaken == WhenNameTaken::kReplace) {
    if (::rename(partial.c_str(), path.c_str()) != 0) return fail(errno);
  } else if (!RenameKeepingOthers(partial, path)) {
    const int error = errno;
    ::unlink(partial.c_str());
    if (error == EEXIST) return {SaveResult::kNameTaken, {}};
    return {SaveResult::kFailed, Reason(error)};
  }
  return {SaveResult::kSaved, {}};
}

bool DeleteFileNamed(const fs::path& path) {
  return ::unlink(path.c_str()) == 0;
}

fs::path ScratchBase() {
  // The runtime folder is private to the user and emptied at logout, so nothing outlives a session.
  // One that is not a folder we may write in would leave the viewer without pictures.
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat info {};
  if (runtime != nullptr && runtime[0] == '/' && ::stat(runtime, &info) == 0 &&
      S_ISDIR(info.st_mode) && ::access(runtime, W_OK | X_OK) == 0) {
    return runtime;
  }
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
  return ec ? fs::path("/tmp") : base;
}

ScratchFolder::ScratchFolder(const fs::path& base) {
  std::string pattern = (base / "quillmere-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return;
  path_ = pattern;
  mark();
}

std::uint64_t CurrentProcessId() {
  return static_cast<std::uint64_t>(::getpid());
}

std::intptr_t HoldMarker(const fs::path& file, const std::string& text) {
  // Made under another name and locked before it takes the marker's name.
  const fs::path unnamed = fs::path(file).concat(".new");
  const int marker =
      ::open(unnamed.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (marker < 0) return -1;
  if (::flock(marker, LOCK_EX | LOCK_NB) != 0 || !WriteAllAtStart(marker, text) ||
      ::rename(unnamed.c_str(), file.c_str()) != 0) {
    ::close(marker);
    ::unlink(unnamed.c_str());
    return -1;
  }
  return marker;
}

void ReleaseMarker(std::intptr_t marker) {
  if (marker >= 0) ::close(static_cast<int>(marker));
}

bool MarkerAbandoned(const fs::path& file) {
  const Descriptor marker(::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  return marker.get() >= 0 && ::fstat(marker.get(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::flock(marker.get(), LOCK_EX | LOCK_NB) == 0;
}

bool IsOwnFolder(const fs::path& folder) {
  struct stat info {};
  return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

std::vector<std::string> ListDrives() {
  return {"/"};
}

std::string DriveOf(const fs::path&) {
  return "/";
}

std::string DisplayName(const fs::path& path) {
  const std::string& bytes = path.native();
  if (IsValidUtf8(bytes)) return bytes;
  // Names written by older systems are often Latin-1: show each byte as that character.
  std::string text;
  for (const char c : bytes) {
    AppendUtf8(text, static_cast<unsigned char>(c));
  }
  return text;
}

}  // namespace quill::platform
