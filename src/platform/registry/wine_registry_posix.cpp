// SPDX-License-Identifier: GPL-3.0-or-later
// The registry backend on Linux and other Unix systems: the Wine prefix's registry files.
#include <algorithm>

#include "platform/files.h"
#include "platform/registry/environment.h"
#include "platform/registry/wine_registry.h"

namespace quill::platform::registry {

namespace {

// Small enough to stay in the processor's cache, large enough that the calls cost nothing.
constexpr std::size_t kPieceSize = 64 * 1024;

}  // namespace

void WineRegistry::ReadKeys(const char* fileName, const std::vector<std::string>& keyPaths) {
  if (std::all_of(keyPaths.begin(), keyPaths.end(), [&](const std::string& path) {
        return read_.contains({fileName, FoldCase(path)});
      })) {
    return;
  }
  std::vector<WineKeyReader> readers(keyPaths.begin(), keyPaths.end());
  const auto lineBytes = [&readers] {
    std::size_t sum = 0;
    for (const WineKeyReader& reader : readers) sum += reader.LineBytes();
    return sum;
  };
  bool withinBudget = true;
  const auto take = [&](std::string_view piece) {
    if (!(withinBudget = budget_.Take(piece.size()))) return false;
    const std::size_t before = lineBytes();
    bool more = false;
    for (WineKeyReader& reader : readers) more |= reader.Feed(piece);
    withinBudget = budget_.Take(0, lineBytes() - before);
    return more && withinBudget;
  };
  const bool whole =
      !prefix_.empty() &&
      platform::ReadFileInPieces(prefix_ / fileName, kLargestRegistryFile, kPieceSize, take);
  for (std::size_t i = 0; i < keyPaths.size(); ++i) {
    // A file that cannot be read to its end counts as no registry at all, as a broken read would
    // otherwise show only part of a key.
    read_[{fileName, FoldCase(keyPaths[i])}] =
        whole && withinBudget ? readers[i].Finish() : WineKeyFound{};
  }
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
  const bool hasViews = root == RootKey::kLocalMachine && folded.starts_with(kSoftware) &&
                        !folded.starts_with(kRedirected);
  const std::string redirected =
      hasViews ? "Software\\Wow6432Node\\" + path.substr(kSoftware.size()) : path;
  // Both views come from one reading of the file: the game's folder is looked for in both.
  ReadKeys(fileName, hasViews ? std::vector{path, redirected} : std::vector{path});
  const WineKeyFound* found = &read_[{fileName, FoldCase(path)}];
  const WineKeyFound& inRedirectedView = read_[{fileName, FoldCase(redirected)}];
  if (view == KeyView::k32Bit && !inRedirectedView.is32BitPrefix) found = &inRedirectedView;
  if (!found->exists) return kFileNotFound;
  open_.push_back(std::make_unique<WineKeyFound>(*found));
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
