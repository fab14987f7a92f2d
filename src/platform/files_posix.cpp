// File services on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/files.h"
#include "platform/read_to_end.h"
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
  bytes.clear();
  // Non-blocking, so that a FIFO planted under a character file's name cannot stall the viewer.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) return false;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (info.st_size < 0 || static_cast<std::size_t>(info.st_size) > limit) return false;

  return ReadToEnd(bytes, static_cast<std::size_t>(info.st_size), limit,
                   [&file](char* into, std::size_t room) -> long long {
                     for (;;) {
                       const ssize_t got = ::read(file.get(), into, room);
                       if (got >= 0 || errno != EINTR) return got;
                     }
                   });
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

ScratchFolder::ScratchFolder() {
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
  if (ec) base = "/tmp";
  std::string pattern = (base / "quillmere-XXXXXX").string();
  if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
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
