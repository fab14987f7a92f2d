// One table of stored values and the text the viewer must read from each, run against both
// registries: the Wine prefix's files here, and the real Win32 registry under Wine (tests/wine);
// and the writing of a test's prefixes and homes, inside a platform::ScratchFolder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "platform/registry/registry.h"

namespace quill::platform::registry::test {

struct StoredValue {
  const char* name;
  std::uint32_t type;
  std::string_view bytes;  // as RegSetValueExA takes them: strings in the ANSI code page
  const char* text;        // what ReadRegistryValue gives; "" for nothing
};

using namespace std::string_view_literals;

inline constexpr StoredValue kStoredValues[] = {
    {"Folder", kTypeString, "C:\\Sims\\\0"sv, "C:\\Sims\\"},
    {"NoZero", kTypeString, "C:\\Sims"sv, "C:\\Sims"},
    {"Empty", kTypeString, ""sv, ""},
    {"JustZero", kTypeString, "\0"sv, ""},
    {"Expand", kTypeExpandString, "%TEMP%\0"sv, ""},
    {"Multi", kTypeMultiString, "a\0b\0\0"sv, ""},
    {"Dword", kTypeDword, "\x39\x30\0\0"sv, ""},
    {"None", kTypeBinary, ""sv, "0"},
    {"One", kTypeBinary, "\x39"sv, "57"},
    {"OneHigh", kTypeBinary, "\xff"sv, "255"},
    {"Two", kTypeBinary, "\x39\x30"sv, "12345"},
    {"Minus", kTypeBinary, "\xff\xff"sv, "-1"},
    {"Four", kTypeBinary, "\x39\x30\x01\x02"sv, "12345"},
};

// Writes `text` at `file`, making the folders on the way.
inline std::filesystem::path WriteText(const std::filesystem::path& file, std::string_view text) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
  return file;
}

// Makes `folder` and the folders on the way; its link-free spelling.
inline std::filesystem::path MakeFolder(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  return std::filesystem::canonical(folder);
}

}  // namespace quill::platform::registry::test
