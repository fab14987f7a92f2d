// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry/registry.h"

#include <algorithm>
#include <new>
#include <vector>

namespace quill::platform::registry {

std::string QueryValueText(RegistryApi& api, KeyHandle key, const std::string& valueName) {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (api.QueryValue(key, valueName, &type, nullptr, &size) != kSuccess) return "";
  if (type != kTypeString && type != kTypeBinary) return "";
  std::vector<unsigned char> buffer;
  try {
    buffer.assign(size, 0);
  } catch (const std::bad_alloc&) {
    return "";
  }
  // A zero-sized value still gets a real buffer pointer, or the call would only report the size.
  unsigned char spare = 0;
  unsigned char* data = buffer.empty() ? &spare : buffer.data();
  std::uint32_t readSize = size;
  std::uint32_t ignoredType = 0;
  if (api.QueryValue(key, valueName, &ignoredType, data, &readSize) != kSuccess) return "";

  if (type == kTypeString) {
    const auto zero = std::find(buffer.begin(), buffer.end(), 0);
    return std::string(buffer.begin(), zero);
  }
  // The game stores small numbers as two-byte binaries; a longer value yields its first two bytes
  // and a one-byte value lands in the low byte.
  unsigned char bytes[2] = {0, 0};
  std::copy_n(buffer.begin(), std::min<std::size_t>(2, buffer.size()), bytes);
  const auto number =
      static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8));
  return std::to_string(number);
}

std::string ReadRegistryValue(RegistryApi& api, RootKey root, const std::string& keyPath,
                              const std::string& valueName, KeyView view) {
  KeyHandle key = kNoKey;
  // A key that will not open stays null, and the query on it then fails on its own.
  api.OpenKey(root, keyPath, view, key);
  std::string text = QueryValueText(api, key, valueName);
  api.CloseKey(key);
  return text;
}

std::string ReadRegistryValue(RootKey root, const std::string& keyPath,
                              const std::string& valueName, KeyView view) {
  return ReadRegistryValue(*MakeSystemRegistry(), root, keyPath, valueName, view);
}

std::string GetGameDataFolder(RegistryApi& api) {
  // The game is a 32-bit program, so on 64-bit Windows its installer wrote to the 32-bit view;
  // the native view covers 32-bit systems and hand-made keys.
  std::string folder =
      ReadRegistryValue(api, RootKey::kLocalMachine, kGameKeyPath, kGameDataValue, KeyView::k32Bit);
  if (folder.empty()) {
    folder = ReadRegistryValue(api, RootKey::kLocalMachine, kGameKeyPath, kGameDataValue,
                               KeyView::kNative);
  }
  if (folder.empty()) return kGameDataNotFound;
  if (folder.back() != '\\') folder.push_back('\\');
  return folder;
}

std::string GetGameDataFolder() {
  return GetGameDataFolder(*MakeSystemRegistry());
}

}  // namespace quill::platform::registry
