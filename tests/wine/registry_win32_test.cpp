// The registry layer against the real Win32 registry, run under Wine or on Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "platform/registry/game_folder.h"
#include "platform/registry/registry.h"
#include "registry_values.h"

namespace quill::platform::registry {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTestRoot = "Software\\QuillmereTests";
constexpr const char* kTestKey = "Software\\QuillmereTests\\Registry";

void SetValue(HKEY key, const char* name, DWORD type, std::string_view bytes) {
  ASSERT_EQ(::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS)
      << name;
}

class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    ::RegCloseKey(key_);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot);
  }

  HKEY key_ = nullptr;
};

TEST_F(Win32RegistryTest, StoredValuesReadAsTheGameReadsThem) {
  for (const test::StoredValue& value : test::kStoredValues) {
    SetValue(key_, value.name, value.type, value.bytes);
  }
  const auto api = MakeSystemRegistry();
  for (const test::StoredValue& value : test::kStoredValues) {
    EXPECT_EQ(ReadRegistryValue(*api, RootKey::kCurrentUser, kTestKey, value.name), value.text)
        << value.name;
    EXPECT_EQ(QueryValueText(*api, reinterpret_cast<KeyHandle>(key_), value.name), value.text)
        << value.name;
  }
  EXPECT_EQ(ReadRegistryValue(*api, RootKey::kCurrentUser, kTestKey, "Absent"), "");
  EXPECT_EQ(ReadRegistryValue(RootKey::kCurrentUser, "Software\\QuillmereTests\\Missing", "Folder"),
            "");
  EXPECT_EQ(QueryValueText(*api, kNoKey, "Folder"), "");
}

// Writes HKLM as the game's installer does, which Wine allows; on a real machine that has the
// game, the test leaves its key alone.
TEST(Win32GameDataFolder, ThirtyTwoBitViewFirstThenNative) {
  for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    HKEY existing = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameKeyPath, 0, KEY_READ | view, &existing) ==
        ERROR_SUCCESS) {
      ::RegCloseKey(existing);
      GTEST_SKIP() << "the game's key exists on this machine";
    }
  }
  const auto write = [](REGSAM view, std::string_view folder) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKeyPath, 0, nullptr, 0,
                                KEY_ALL_ACCESS | view, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    SetValue(key, kGameDataValue, REG_SZ, folder);
    ::RegCloseKey(key);
  };
  const auto remove = [](REGSAM view) {
    ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameKeyPath, view, 0);
    ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\Maxis", view, 0);  // only when left empty
  };

  EXPECT_EQ(GetGameDataFolder(), "Not Found");
  write(KEY_WOW64_64KEY, std::string_view("C:\\Native", 10));
  EXPECT_EQ(GetGameDataFolder(), "C:\\Native\\");
  write(KEY_WOW64_32KEY, std::string_view("D:\\Games\\The Sims\\", 19));
  EXPECT_EQ(GetGameDataFolder(), "D:\\Games\\The Sims\\");
  remove(KEY_WOW64_32KEY);
  remove(KEY_WOW64_64KEY);
  EXPECT_EQ(GetGameDataFolder(), "Not Found");
}

TEST(Win32StartupFolder, GameFolderThenReReleaseSaves) {
  char buffer[MAX_PATH + 1] = {};
  ASSERT_GT(::GetTempPathA(MAX_PATH, buffer), 0u);
  const fs::path base =
      fs::path(buffer) / ("quillmere-startup-" + std::to_string(::GetCurrentProcessId()));
  fs::remove_all(base);
  Environment env;
  env.userProfile = base / "profile";
  const std::string gameFolder = (base / "game").string() + "\\";

  EXPECT_EQ(ChooseStartupFolder(gameFolder, env), std::nullopt);
  const fs::path saves = env.userProfile / "Saved Games" / "Electronic Arts" / "The Sims 25" /
                         "UserData" / "Characters";
  fs::create_directories(saves);
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env), saves);
  fs::create_directories(base / "game" / "UserData" / "Characters");
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env), fs::path(gameFolder + "UserData\\Characters"));
  EXPECT_EQ(ChooseStartupFolder("Not Found", env), saves);
  fs::remove_all(base);
}

}  // namespace
}  // namespace quill::platform::registry
