// SPDX-License-Identifier: GPL-3.0-or-later
// The registry layer against the real Win32 registry, run under Wine or on Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/registry/game_folder.h"
#include "platform/registry/game_language.h"
#include "platform/registry/install_folder.h"
#include "platform/registry/registry.h"
#include "registry_test_data.h"

namespace quill::platform::registry {
namespace {

namespace fs = std::filesystem;

// Sets the value `name` of the key at `path` in the given view, making the key if need be.
void SetValue(HKEY root, const char* path, REGSAM view, const char* name, DWORD type,
              std::string_view bytes) {
  HKEY key = nullptr;
  ASSERT_EQ(
      ::RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  EXPECT_EQ(::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS)
      << name;
  ::RegCloseKey(key);
}

TEST(Win32Registry, StoredValuesReadAsTheGameReadsThem) {
  constexpr const char* kKey = "Software\\QuillmereTests\\Registry";
  const auto api = MakeSystemRegistry();
  for (const test::StoredValue& value : test::kStoredValues) {
    SetValue(HKEY_CURRENT_USER, kKey, 0, value.name, value.type, value.bytes);
    EXPECT_EQ(ReadRegistryValue(*api, RootKey::kCurrentUser, kKey, value.name), value.text)
        << value.name;
  }
  EXPECT_EQ(ReadRegistryValue(*api, RootKey::kCurrentUser, kKey, "Absent"), "");
  EXPECT_EQ(ReadRegistryValue(RootKey::kCurrentUser, "Software\\QuillmereTests\\None", "x"), "");
  EXPECT_EQ(QueryValueText(*api, kNoKey, "Folder"), "");
  ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuillmereTests");
}

// Whether the game's keys are on this machine: a real game's are left alone.
bool GameKeysExist() {
  HKEY existing = nullptr;  // left open when found: the test ends there
  for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameKeyPath, 0, KEY_READ | view, &existing) ==
        ERROR_SUCCESS)
      return true;
  return ::RegOpenKeyExA(HKEY_CURRENT_USER, kReReleaseKeyPath, 0, KEY_READ, &existing) ==
         ERROR_SUCCESS;
}

// Removes the game's keys in every view; a key that still holds another key stays.
void RemoveGameKeys() {
  for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameKeyPath, view, 0);
    ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\Maxis", view, 0);
  }
  ::RegDeleteKeyA(HKEY_CURRENT_USER, kReReleaseKeyPath);
  ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Electronic Arts");
}

// Writes HKLM as the game's installer does, which Wine allows.
TEST(Win32GameDataFolder, ThirtyTwoBitViewFirstThenNative) {
  if (GameKeysExist()) GTEST_SKIP() << "the game's keys exist on this machine";
  EXPECT_EQ(GetGameDataFolder(), "Not Found");
  SetValue(HKEY_LOCAL_MACHINE, kGameKeyPath, KEY_WOW64_64KEY, kGameDataValue, REG_SZ, "C:\\Native");
  EXPECT_EQ(GetGameDataFolder(), "C:\\Native\\");
  SetValue(HKEY_LOCAL_MACHINE, kGameKeyPath, KEY_WOW64_32KEY, kGameDataValue, REG_SZ,
           "D:\\Games\\The Sims\\");
  EXPECT_EQ(GetGameDataFolder(), "D:\\Games\\The Sims\\");
  RemoveGameKeys();
}

// The same table as the Wine prefix's files (tests/registry), in the registry itself.
TEST(Win32GameLanguage, ReadAsFromThePrefixsFiles) {
  if (GameKeysExist()) GTEST_SKIP() << "the game's keys exist on this machine";
  for (const test::LanguageCase& languageCase : test::kLanguageCases) {
    for (const test::LanguageSetting& setting : languageCase.settings) {
      const bool user = setting.key == test::LanguageKey::kReRelease;
      SetValue(user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE,
               user ? kReReleaseKeyPath : kGameKeyPath,
               setting.key == test::LanguageKey::kGame32Bit ? KEY_WOW64_32KEY : KEY_WOW64_64KEY,
               kGameLanguageValue, setting.type, setting.bytes);
    }
    EXPECT_EQ(ReadGameLanguage(*MakeSystemRegistry()), languageCase.slot) << languageCase.what;
    RemoveGameKeys();
  }
}

// The start-up test (startup-test.sh) opens the game's folder; this is the re-release's saves
// when that folder lacks the characters folder, and the order of the two.
TEST(Win32StartupFolder, GameFolderThenReReleaseSaves) {
  const ScratchFolder base;
  const Environment env{{}, {}, {}, base.path() / "profile"};
  const std::string gameFolder = (base.path() / "game").string() + "\\";
  fs::create_directories(base.path() / "game/UserData");
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env), std::nullopt);
  const fs::path saves =
      env.userProfile / "Saved Games/Electronic Arts/The Sims 25/UserData/Characters";
  fs::create_directories(saves);
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env), saves);
  fs::create_directories(base.path() / "game/UserData/Characters");
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env), fs::path(gameFolder + "UserData\\Characters"));
  // The re-release's template characters folder is never offered.
  test::WriteText(base.path() / "game/eadpsdk.json", "{}");
  test::WriteText(base.path() / "game/Sims.exe", "");
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env), saves);
}

// Catches InstallPath read from the native view first, Steam's folder or the EA app's folder in
// Program Files (x86) left out, the places searched out of order, and a folder taken without its
// GameData/Behavior.iff.
TEST(Win32GameFolder, RegistryThenSteamThenEaApp) {
  if (GameKeysExist()) GTEST_SKIP() << "the game's keys exist on this machine";
  const ScratchFolder base;
  const Environment env{{}, {}, {}, {}, base.path() / "none", base.path() / "x86"};
  const fs::path places[] = {base.path() / "x86/EA Games/The Sims Legacy",
                             base.path() / "x86/Steam/steamapps/common/The Sims Legacy Collection",
                             base.path() / "game"};
  SetValue(HKEY_LOCAL_MACHINE, kGameKeyPath, KEY_WOW64_64KEY, kInstallPathValue, REG_SZ,
           "C:\\nowhere");
  SetValue(HKEY_LOCAL_MACHINE, kGameKeyPath, KEY_WOW64_32KEY, kInstallPathValue, REG_SZ,
           places[2].string());
  for (const fs::path& place : places) {
    fs::create_directories(place / "GameData");
    EXPECT_NE(FindGameFolder({}, env), fs::canonical(place)) << place;
    test::WriteText(place / "GameData/Behavior.iff", "");
    EXPECT_EQ(FindGameFolder({}, env), fs::canonical(place)) << place;
  }
  RemoveGameKeys();
}

}  // namespace
}  // namespace quill::platform::registry
