// SPDX-License-Identifier: GPL-3.0-or-later
// The game's install folder on Linux, in a home of fake prefixes and Steam folders: which place
// wins, what counts as the game, and that the re-release's template characters folders are never
// the start-up folder.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/registry/game_folder.h"
#include "platform/registry/install_folder.h"
#include "registry_test_data.h"

namespace quill::platform::registry {
namespace {

namespace fs = std::filesystem;

// A 64-bit prefix's system.reg whose game key holds `name` in the 32-bit view and in the native
// one; an empty value is left out. Values are written as in the file (backslashes doubled).
std::string SystemReg(std::string_view in32Bit, std::string_view native,
                      std::string_view name = kInstallPathValue) {
  std::string text = "WINE REGISTRY Version 2\n#arch=win64\n";
  const auto key = [&](std::string_view line, std::string_view value) {
    if (!value.empty())
      text.append(line).append(" 1\n\"").append(name).append("\"=\"").append(value).append("\"\n");
  };
  key(R"([Software\\Wow6432Node\\Maxis\\The Sims])", in32Bit);
  key(R"([Software\\Maxis\\The Sims])", native);
  return text;
}

class InstallFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Drive C: of WINEPREFIX's prefix and of a Lutris prefix, as Wine links them.
    for (const char* prefix : {"prefix", "home/Games/sims"}) {
      fs::create_directories(temp_.path() / prefix / "dosdevices");
      fs::create_directory_symlink("../drive_c", temp_.path() / prefix / "dosdevices/c:");
    }
  }

  fs::path At(std::string_view place) const { return fs::canonical(temp_.path()) / place; }

  ScratchFolder temp_;
  Environment env_{At("home"), At("prefix"), "player", {}};
};

// Catches a place searched out of order, the 32-bit view read after the native one, a front-end
// prefix, Steam's library or the EA app's "Program Files (x86)" left out, a candidate taken
// without its Behavior.iff, names compared with their case, UserData2 not taken for UserData, and
// the search going on after the program was asked to end.
TEST_F(InstallFolderTest, EachPlaceWinsOverTheOnesAfterIt) {
  const fs::path characters = At("home/Desk/Sims/UserData2/Characters/");
  fs::create_directories(characters);
  // Candidates that hold no Behavior.iff: the characters' own game and WINEPREFIX's registry's.
  fs::create_directories(At("home/Desk/Sims/GameData"));
  fs::create_directories(At("prefix/drive_c/Empty/GameData"));
  test::WriteText(At("prefix/system.reg"), SystemReg("", R"(C:\\Empty)"));
  EXPECT_EQ(FindGameFolder(characters, env_), std::nullopt);

  // Made last first: the game's folder (with its Behavior.iff spelt so), the registry file
  // written with it (if any) and its text.
  struct Place {
    const char* game;
    const char* behavior;
    const char* registryFile;
    std::string registry;
  };
  const Place kPlaces[] = {
      {"home/Games/sims/drive_c/Program Files (x86)/EA Games/The Sims Legacy",
       "GameData/Behavior.iff", nullptr, ""},
      {"prefix/drive_c/Program Files/EA Games/The Sims Legacy", "GameData/Behavior.iff", nullptr,
       ""},
      {"home/.local/share/Steam/steamapps/common/The Sims Legacy Collection",
       "GameData/Behavior.iff", nullptr, ""},
      {"home/Games/sims/drive_c/Sims", "GameData/Behavior.iff", "home/Games/sims/system.reg",
       SystemReg("", R"(C:\\Sims)")},
      {"prefix/drive_c/Maxis/The Sims", "GameData/Behavior.iff", "prefix/system.reg",
       SystemReg("", R"(C:\\Maxis\\The Sims\\)")},
      {"prefix/drive_c/SIMS32", "gamedata/behavior.IFF", "prefix/system.reg",
       SystemReg(R"(c:\\sims32)", R"(C:\\Maxis\\The Sims)")},
      {"home/Desk/Sims", "GameData/Behavior.iff", nullptr, ""},
  };
  for (const Place& place : kPlaces) {
    test::WriteText(At(place.game) / place.behavior, "");
    if (place.registryFile != nullptr) test::WriteText(At(place.registryFile), place.registry);
    EXPECT_EQ(FindGameFolder(characters, env_), At(place.game)) << place.game;
  }
  EXPECT_EQ(FindGameFolder({}, env_), At("prefix/drive_c/SIMS32"));
  EXPECT_EQ(FindGameFolder({}, env_, ReadingBudget(1 << 20, [] { return true; })), std::nullopt);
}

// Catches GameData or Behavior.iff taken whatever they are, and a folder or file name compared
// with its case (Wine installs differ in case).
TEST_F(InstallFolderTest, OnlyAGameDataFolderWithBehaviorIffCounts) {
  const std::pair<const char*, bool> kFiles[] = {
      {"a/GameData/Behavior.iff", true},   {"b/gamedata/BEHAVIOR.IFF", true},
      {"c/Behavior.iff", false},           {"d/GameData/Behavior.iff/x", false},
      {"e/GameData/Behaviour.iff", false}, {"f/GameData", false},
  };
  for (const auto& [file, counts] : kFiles) {
    test::WriteText(At("games") / file, "");
    EXPECT_EQ(IsGameFolder(At("games") / fs::path(file).begin()->string()), counts) << file;
  }
}

// Catches the re-release's template characters folder offered at start-up when a registry value
// names its install (or the install told by one of its two files alone, or by their case): the
// player's own saves come next, and the template only when the install is not the re-release's.
TEST_F(InstallFolderTest, ReReleaseTemplatesAreNeverTheStartupFolder) {
  const fs::path install = At("prefix/drive_c/Program Files/EA Games/The Sims Legacy");
  fs::create_directories(install / "UserData/Characters");
  const std::string gameData = "C:\\Program Files\\EA Games\\The Sims Legacy\\";
  EXPECT_EQ(ChooseStartupFolder(gameData, env_), install / "UserData/Characters");
  test::WriteText(install / "EADPSDK.json", "{}");
  EXPECT_EQ(ChooseStartupFolder(gameData, env_), install / "UserData/Characters");
  test::WriteText(install / "sims.EXE", "");
  EXPECT_EQ(ChooseStartupFolder(gameData, env_), std::nullopt);
  const fs::path saves =
      At("prefix/drive_c/users/player/Saved Games/Electronic Arts/The Sims 25/UserData/Characters");
  fs::create_directories(saves);
  EXPECT_EQ(ChooseStartupFolder(gameData, env_), saves);
}

}  // namespace
}  // namespace quill::platform::registry
