// SPDX-License-Identifier: GPL-3.0-or-later
// The registry backend on Windows: the ANSI registry calls themselves.
#include <windows.h>

#include <algorithm>

#include "platform/registry/registry.h"

namespace quill::platform::registry {

namespace fs = std::filesystem;

namespace {

HKEY RootHandle(RootKey root) {
  return root == RootKey::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

HKEY AsHkey(KeyHandle key) {
  return reinterpret_cast<HKEY>(key);
}

class Win32Registry final : public RegistryApi {
 public:
  std::int32_t OpenKey(RootKey root, const std::string& path, KeyView view,
                       KeyHandle& key) override {
    HKEY opened = nullptr;
    const LONG result = view == KeyView::k32Bit
                            ? ::RegOpenKeyExA(RootHandle(root), path.c_str(), 0,
                                              KEY_QUERY_VALUE | KEY_WOW64_32KEY, &opened)
                            : ::RegOpenKeyA(RootHandle(root), path.c_str(), &opened);
    key = result == ERROR_SUCCESS ? reinterpret_cast<KeyHandle>(opened) : kNoKey;
    return static_cast<std::int32_t>(result);
  }

  std::int32_t QueryValue(KeyHandle key, const std::string& valueName, std::uint32_t* type,
                          unsigned char* data, std::uint32_t* size) override {
    DWORD winType = 0;
    DWORD winSize = size != nullptr ? *size : 0;
    const LONG result = ::RegQueryValueExA(AsHkey(key), valueName.c_str(), nullptr, &winType, data,
                                           size != nullptr ? &winSize : nullptr);
    if (type != nullptr) *type = winType;
    if (size != nullptr) *size = winSize;
    return static_cast<std::int32_t>(result);
  }

  std::int32_t CloseKey(KeyHandle key) override {
    return static_cast<std::int32_t>(::RegCloseKey(AsHkey(key)));
  }
};

}  // namespace

fs::path AnsiPath(const std::string& text) {
  const int length =
      ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  if (length > 0) {
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          length);
  }
  return fs::path(wide);
}

std::unique_ptr<RegistryApi> MakeSystemRegistry() {
  return std::make_unique<Win32Registry>();
}

}  // namespace quill::platform::registry
