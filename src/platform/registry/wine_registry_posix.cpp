// The registry backend on Linux and other Unix systems: the Wine prefix's registry files.
#include <algorithm>

#include "platform/files.h"
#include "platform/registry/environment.h"
#include "platform/registry/wine_registry.h"

namespace quill::platform::registry {

namespace {

// Small enough to stay in the processor's cache, large enough that the calls cost nothing.
constexpr std::size_t kPieceSize = 64 * 1024;

bool FileHoldsText(const std::filesystem::path& file, const std::string& folded) {
  KeyTextSearch search(folded);
  bool found = false;
  platform::ReadFileInPieces(file, kLargestRegistryFile, kPieceSize, [&](std::string_view piece) {
    found = search.Feed(piece);
    return !found;
  });
  return found;
}

}  // namespace

WineKeyFound WineRegistry::ReadKey(const char* fileName, const std::string& keyPath) {
  if (prefix_.empty()) return {};
  const std::filesystem::path file = prefix_ / fileName;
  const std::string text = KeyLineText(keyPath);
  if (!text.empty()) {
    const auto [cached, isNew] = holdsText_.try_emplace({fileName, text}, false);
    if (isNew) cached->second = FileHoldsText(file, text);
    if (!cached->second) return {};
  }
  WineKeyReader reader(keyPath);
  // A file that cannot be read to its end counts as no registry at all, as a broken read would
  // otherwise show only part of a key.
  if (!platform::ReadFileInPieces(
          file, kLargestRegistryFile, kPieceSize,
          [&reader](std::string_view piece) { return reader.Feed(piece); })) {
    return {};
  }
  return reader.Finish();
}

std::int32_t WineRegistry::OpenKey(RootKey root, const std::string& path, KeyView view,
                                   KeyHandle& key) {
  key = kNoKey;
  const char* fileName = root == RootKey::kLocalMachine ? "system.reg" : "user.reg";
  // A 64-bit prefix keeps the 32-bit programs' HKLM\Software under Software\Wow6432Node, as
  // 64-bit Windows does; keys outside Software are shared between the views.
  static constexpr std::string_view kSoftware = "software\\";
  static constexpr std::string_view kRedirected = "software\\wow6432node\\";
  const std::string folded = FoldCase(path);
  const bool redirected = view == KeyView::k32Bit && root == RootKey::kLocalMachine &&
                          folded.starts_with(kSoftware) && !folded.starts_with(kRedirected);
  WineKeyFound found = ReadKey(
      fileName, redirected ? "Software\\Wow6432Node\\" + path.substr(kSoftware.size()) : path);
  if (redirected && found.is32BitPrefix) found = ReadKey(fileName, path);
  if (!found.exists) return kFileNotFound;
  open_.push_back(std::make_unique<WineKeyFound>(std::move(found)));
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
