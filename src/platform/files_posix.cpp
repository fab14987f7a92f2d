// File services on POSIX systems.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

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

 private:
  int fd_;
};

}  // namespace

bool ReadWholeFile(const fs::path& path, std::string& bytes, std::size_t limit) {
  // Non-blocking, so that a FIFO planted under a character file's name cannot stall the viewer.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  struct stat info {};
  if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
      info.st_size < 0 || static_cast<std::size_t>(info.st_size) > limit) {
    bytes.clear();
    return false;
  }

  return ReadToEnd(bytes, static_cast<std::size_t>(info.st_size), limit,
                   [&file](char* into, std::size_t room) -> long long {
                     for (;;) {
                       const ssize_t got = ::read(file.get(), into, room);
                       if (got >= 0 || errno != EINTR) return got;
                     }
                   });
}

bool ReadFileInPieces(const fs::path& path, std::size_t limit, std::size_t pieceSize,
                      const std::function<bool(std::string_view piece)>& take) {
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) return false;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (info.st_size < 0 || static_cast<std::size_t>(info.st_size) > limit) return false;
  std::string piece(std::max<std::size_t>(pieceSize, 1), '\0');
  std::size_t total = 0;
  for (;;) {
    const ssize_t got = ::read(file.get(), piece.data(), piece.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    total += static_cast<std::size_t>(got);
    if (total > limit) return false;
    if (!take(std::string_view(piece.data(), static_cast<std::size_t>(got)))) return true;
  }
}

bool WriteAtStart(const fs::path& path, const std::string& bytes) {
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (file.get() < 0) return false;
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t put = ::pwrite(file.get(), bytes.data() + written, bytes.size() - written,
                                 static_cast<off_t>(written));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    written += static_cast<std::size_t>(put);
  }
  return true;
}

bool DeleteFileNamed(const fs::path& path) {
  return ::unlink(path.c_str()) == 0;
}

fs::path ScratchBase() {
  // The runtime folder is private to the user and emptied at logout, so nothing outlives a session.
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return runtime;
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

bool ProcessRuns(std::uint64_t id) {
  const auto pid = static_cast<pid_t>(id);
  if (pid <= 0 || static_cast<std::uint64_t>(pid) != id) return false;
  // EPERM: it runs, as another user.
  return ::kill(pid, 0) == 0 || errno == EPERM;
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
