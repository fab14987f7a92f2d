// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the game's install folder from the Windows registry, on Windows itself and, on Linux,
// from the registry files of a Wine prefix. The logic is written once against RegistryApi; each
// system supplies a backend that answers the three registry calls the way Windows does.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace quill::platform::registry {

// Win32 result codes, so that both backends answer alike.
inline constexpr std::int32_t kSuccess = 0;
inline constexpr std::int32_t kFileNotFound = 2;
inline constexpr std::int32_t kInvalidHandle = 6;
inline constexpr std::int32_t kInvalidParameter = 87;
inline constexpr std::int32_t kMoreData = 234;

// Win32 value types.
inline constexpr std::uint32_t kTypeString = 1;        // REG_SZ
inline constexpr std::uint32_t kTypeExpandString = 2;  // REG_EXPAND_SZ
inline constexpr std::uint32_t kTypeBinary = 3;        // REG_BINARY
inline constexpr std::uint32_t kTypeDword = 4;         // REG_DWORD
inline constexpr std::uint32_t kTypeMultiString = 7;   // REG_MULTI_SZ

enum class RootKey { kCurrentUser, kLocalMachine };

// Which side of the 64-bit registry to open: the 32-bit programs' redirected view, or our own.
enum class KeyView { kNative, k32Bit };

// An open key as the backend hands it out; kNoKey is the null handle.
using KeyHandle = std::uintptr_t;
inline constexpr KeyHandle kNoKey = 0;

// The three registry calls, with RegOpenKeyExA / RegQueryValueExA / RegCloseKey semantics.
class RegistryApi {
 public:
  virtual ~RegistryApi() = default;

  // Sets `key` to the opened key, or to kNoKey when the key cannot be opened.
  virtual std::int32_t OpenKey(RootKey root, const std::string& path, KeyView view,
                               KeyHandle& key) = 0;

  // With `data` null, reports type and size only. Otherwise copies the value when `*size` is
  // large enough (kMoreData if not) and sets `*size` to the bytes copied. `type` may be null.
  // Strings come back in the ANSI code page, including any terminating zero they were stored with.
  virtual std::int32_t QueryValue(KeyHandle key, const std::string& valueName, std::uint32_t* type,
                                  unsigned char* data, std::uint32_t* size) = 0;

  virtual std::int32_t CloseKey(KeyHandle key) = 0;
};

// The running system's registry: Win32 on Windows, the Wine prefix's files elsewhere (the prefix
// named by WINEPREFIX, else ~/.wine).
std::unique_ptr<RegistryApi> MakeSystemRegistry();

// A value as text: REG_SZ up to its first zero byte, REG_BINARY as the signed decimal of its first
// two bytes (little-endian), anything else or any failure as "".
std::string QueryValueText(RegistryApi& api, KeyHandle key, const std::string& valueName);

// Opens the key, reads the value as QueryValueText does, closes the key; "" on any failure.
std::string ReadRegistryValue(RegistryApi& api, RootKey root, const std::string& keyPath,
                              const std::string& valueName, KeyView view = KeyView::kNative);
std::string ReadRegistryValue(RootKey root, const std::string& keyPath,
                              const std::string& valueName, KeyView view = KeyView::kNative);

inline constexpr const char* kGameDataNotFound = "Not Found";
inline constexpr const char* kGameKeyPath = "Software\\Maxis\\The Sims";
inline constexpr const char* kGameDataValue = "SIMS_DATA";

// The game's data folder with a trailing backslash (Windows form), or kGameDataNotFound.
std::string GetGameDataFolder(RegistryApi& api);
std::string GetGameDataFolder();

#ifdef _WIN32
// The folder a registry value names: its text is in the ANSI code page.
std::filesystem::path AnsiPath(const std::string& text);
#endif

}  // namespace quill::platform::registry
