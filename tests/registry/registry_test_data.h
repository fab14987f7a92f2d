// SPDX-License-Identifier: GPL-3.0-or-later
// One table of stored values and the text the viewer must read from each, run against both
// registries: the Wine prefix's files here, and the real Win32 registry under Wine (tests/wine);
// and the writing of a test's prefixes and homes, inside a platform::ScratchFolder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <vector>

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

// Where a case stores SIMS_LANGUAGE: the re-release's key for the user, or the classic game's key
// in the 32-bit view its installer writes to or in the native one.
enum class LanguageKey { kReRelease, kGame32Bit, kGameNative };

struct LanguageSetting {
  LanguageKey key;
  std::uint32_t type;
  std::string_view bytes;  // as RegSetValueExA takes them
};

struct LanguageCase {
  const char* what;
  std::vector<LanguageSetting> settings;
  std::optional<int> slot;  // what ReadGameLanguage gives
};

// Run against a Wine prefix's files here and against the Win32 registry under Wine (tests/wine).
// Catches: a key read in the wrong order, a view left out, a name compared with its case or its
// spaces, a number outside 1 to 20 taken, a DWORD or binary number dropped.
inline const LanguageCase kLanguageCases[] = {
    {"classic install, 32-bit view", {{LanguageKey::kGame32Bit, kTypeString, "German\0"sv}}, 4},
    {"hand-made native key, case and spaces",
     {{LanguageKey::kGameNative, kTypeString, "uk english\0"sv}},
     2},
    {"re-release", {{LanguageKey::kReRelease, kTypeString, "SimplifiedChinese\0"sv}}, 17},
    {"re-release before the classic key",
     {{LanguageKey::kGame32Bit, kTypeString, "German\0"sv},
      {LanguageKey::kReRelease, kTypeString, "Traditional Chinese\0"sv}},
     18},
    {"unknown name gives way to the native view",
     {{LanguageKey::kGame32Bit, kTypeString, "Klingon\0"sv},
      {LanguageKey::kGameNative, kTypeString, "French\0"sv}},
     3},
    {"slot number as text", {{LanguageKey::kGame32Bit, kTypeString, "20\0"sv}}, 20},
    {"slot number as DWORD", {{LanguageKey::kGame32Bit, kTypeDword, "\x0f\0\0\0"sv}}, 15},
    {"slot number as binary", {{LanguageKey::kGame32Bit, kTypeBinary, "\x0d\0"sv}}, 13},
    {"no slot 21", {{LanguageKey::kGame32Bit, kTypeString, "21\0"sv}}, std::nullopt},
    {"no slot 0", {{LanguageKey::kReRelease, kTypeDword, "\0\0\0\0"sv}}, std::nullopt},
    {"nothing stored", {}, std::nullopt},
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
