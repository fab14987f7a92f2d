// The registry backend on Linux and other Unix systems: the Wine prefix's registry files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/registry/environment.h"
#include "platform/registry/wine_registry.h"

namespace quill::platform::registry {

std::optional<std::string> ReadBoundedFile(const std::filesystem::path& path, std::size_t limit) {
  // Non-blocking, so that a FIFO in the file's place cannot stall start-up.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> result;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0 &&
      static_cast<unsigned long long>(info.st_size) <= limit) {
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t filled = 0;
    bool failed = false;
    // The file may grow while we read; what lies past the size we were told is not read.
    while (filled < bytes.size()) {
      const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) failed = true;
      if (got <= 0) break;
      filled += static_cast<std::size_t>(got);
    }
    if (!failed) {
      bytes.resize(filled);
      result = std::move(bytes);
    }
  }
  ::close(fd);
  return result;
}

const WineRegistryFile& WineRegistry::File(RootKey root) {
  std::optional<WineRegistryFile>& file = root == RootKey::kLocalMachine ? machine_ : user_;
  if (!file) {
    const char* name = root == RootKey::kLocalMachine ? "system.reg" : "user.reg";
    const std::optional<std::string> text =
        prefix_.empty() ? std::nullopt : ReadBoundedFile(prefix_ / name, kLargestRegistryFile);
    file = ParseWineRegistry(text ? std::string_view(*text) : std::string_view());
  }
  return *file;
}

std::int32_t WineRegistry::OpenKey(RootKey root, const std::string& path, KeyView view,
                                   KeyHandle& key) {
  key = kNoKey;
  const WineRegistryFile& file = File(root);
  const RegistryKeyValues* found = nullptr;
  // A 64-bit prefix keeps the 32-bit programs' HKLM\Software under Software\Wow6432Node, as
  // 64-bit Windows does; keys outside Software are shared between the views.
  static constexpr std::string_view kSoftware = "software\\";
  static constexpr std::string_view kRedirected = "software\\wow6432node\\";
  const std::string folded = FoldCase(path);
  if (view == KeyView::k32Bit && root == RootKey::kLocalMachine && !file.Is32BitPrefix() &&
      folded.starts_with(kSoftware) && !folded.starts_with(kRedirected)) {
    found = file.FindKey("Software\\Wow6432Node\\" + path.substr(kSoftware.size()));
  } else {
    found = file.FindKey(path);
  }
  if (found == nullptr) return kFileNotFound;
  open_.push_back(found);
  key = open_.size();
  return kSuccess;
}

std::int32_t WineRegistry::QueryValue(KeyHandle key, const std::string& valueName,
                                      std::uint32_t* type, unsigned char* data,
                                      std::uint32_t* size) {
  if (key == kNoKey || key > open_.size() || open_[key - 1] == nullptr) return kInvalidHandle;
  if (data != nullptr && size == nullptr) return kInvalidParameter;
  const auto& values = open_[key - 1]->values;
  const auto found = values.find(FoldCase(valueName));
  if (found == values.end()) return kFileNotFound;
  const RegistryValue& value = found->second;
  if (type != nullptr) *type = value.type;
  if (size == nullptr) return kSuccess;
  const auto needed = static_cast<std::uint32_t>(value.data.size());
  if (data != nullptr) {
    if (*size < needed) {
      *size = needed;
      return kMoreData;
    }
    std::copy(value.data.begin(), value.data.end(), data);
  }
  *size = needed;
  return kSuccess;
}

std::int32_t WineRegistry::CloseKey(KeyHandle key) {
  if (key == kNoKey || key > open_.size() || open_[key - 1] == nullptr) return kInvalidHandle;
  open_[key - 1] = nullptr;
  return kSuccess;
}

std::unique_ptr<RegistryApi> MakeSystemRegistry() {
  return std::make_unique<WineRegistry>(WinePrefixOf(CurrentEnvironment()));
}

}  // namespace quill::platform::registry
