// Wine keeps a prefix's registry in text files (system.reg for HKEY_LOCAL_MACHINE, user.reg for
// HKEY_CURRENT_USER). This reads them as Wine itself does, so that the game's install folder can
// be found when it runs under Wine or Proton.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/registry/registry.h"

namespace quill::platform::registry {

// Registry files of real prefixes are tens of megabytes at most; a larger one is not worth reading.
inline constexpr std::size_t kLargestRegistryFile = 256 * 1024 * 1024;

struct RegistryValue {
  std::uint32_t type = 0;
  // As RegQueryValueExA returns it. Strings (types 1, 2 and 7) are stored as UTF-16 by Wine and
  // come back in the ANSI code page; on Linux that is taken to be UTF-8, so non-ASCII text stays
  // UTF-8 bytes. A string keeps the terminating zero it was stored with.
  std::string data;
};

struct RegistryKeyValues {
  std::unordered_map<std::string, RegistryValue> values;  // by FoldCase(name); "" is the default
};

class WineRegistryFile {
 public:
  // `path` uses single backslashes, relative to the file's root; case is ignored.
  const RegistryKeyValues* FindKey(std::string_view path) const;
  std::size_t KeyCount() const { return keys_.size(); }
  // A prefix made for 32-bit Windows has no separate 32-bit view.
  bool Is32BitPrefix() const { return is32Bit_; }

 private:
  friend WineRegistryFile ParseWineRegistry(std::string_view text);
  std::map<std::string, RegistryKeyValues> keys_;  // by folded, normalised path
  bool is32Bit_ = false;
};

// Never fails: a file without the registry header yields no keys, and a line that cannot be
// understood is skipped, as Wine skips it.
WineRegistryFile ParseWineRegistry(std::string_view text);

// Case folding as the registry and Wine's file names compare: ASCII and the Latin-1 letters of
// UTF-8 text. Other non-ASCII text compares exactly.
std::string FoldCase(std::string_view text);

// UTF-16 code units to UTF-8; unpaired surrogates become '?', as the ANSI conversion makes them.
std::string Utf16ToAnsi(std::u16string_view units);

#ifndef _WIN32
// Reads a regular file of at most `limit` bytes; devices, FIFOs and larger files yield nothing,
// and opening never blocks.
std::optional<std::string> ReadBoundedFile(const std::filesystem::path& path, std::size_t limit);

// The registry of the Wine prefix at `prefix`, read once on first use. Only the two roots the
// files hold are answered; a missing or unreadable file behaves as an empty registry.
class WineRegistry final : public RegistryApi {
 public:
  explicit WineRegistry(std::filesystem::path prefix) : prefix_(std::move(prefix)) {}

  std::int32_t OpenKey(RootKey root, const std::string& path, KeyView view,
                       KeyHandle& key) override;
  std::int32_t QueryValue(KeyHandle key, const std::string& valueName, std::uint32_t* type,
                          unsigned char* data, std::uint32_t* size) override;
  std::int32_t CloseKey(KeyHandle key) override;

 private:
  const WineRegistryFile& File(RootKey root);

  std::filesystem::path prefix_;
  std::optional<WineRegistryFile> machine_;
  std::optional<WineRegistryFile> user_;
  std::vector<const RegistryKeyValues*> open_;  // handle - 1 → key; null once closed
};
#endif

}  // namespace quill::platform::registry
