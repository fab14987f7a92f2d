// Choosing the start-up folder on Linux: the game's folder through a Wine prefix's registry, else
// the re-release's save folders, in every place players keep prefixes.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/registry/game_folder.h"
#include "platform/registry/wine_registry.h"
#include "test_files.h"

namespace quill::platform::registry {
namespace {

namespace fs = std::filesystem;

class GameFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prefix_ = temp_.path() / "prefix";
    fs::create_directories(prefix_ / "drive_c");
    fs::create_directories(prefix_ / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix_ / "dosdevices" / "c:");
    env_.home = temp_.path() / "home";
    env_.winePrefix = prefix_;
    env_.user = "player";
  }

  std::optional<fs::path> Map(std::string_view windowsPath) {
    auto mapped = MapWindowsPathToWine(prefix_, windowsPath);
    if (mapped) *mapped = fs::weakly_canonical(*mapped);
    return mapped;
  }

  // A prefix whose registry names the game's folder (in the 32-bit view when `redirected`), with
  // that folder; the characters folder.
  fs::path GamePrefix(const fs::path& prefix, bool redirected) {
    test::WriteText(prefix / "system.reg",
                    std::string("WINE REGISTRY Version 2\n#arch=win64\n[Software\\\\") +
                        (redirected ? "Wow6432Node\\\\" : "") +
                        "Maxis\\\\The Sims] 1\n\"SIMS_DATA\"=\"C:\\\\Maxis\\\\Sims\"\n");
    fs::create_directories(prefix / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
    return test::MakeFolder(prefix / "drive_c/Maxis/Sims/UserData/Characters");
  }

  ScratchFolder temp_;
  fs::path prefix_;
  Environment env_;
};

TEST_F(GameFolderTest, WindowsPathsMapThroughTheDriveLinksIgnoringCase) {
  const fs::path characters = test::MakeFolder(
      temp_.path() / "prefix/drive_c/Program Files/Maxis/The Sims/UserData/Characters");
  EXPECT_EQ(Map("C:\\PROGRAM FILES\\maxis\\the sims\\UserData\\Characters"), characters);
  EXPECT_EQ(Map("c:/Program Files/./Nowhere/../Maxis\\\\The Sims/UserData/Characters/"),
            characters);
  EXPECT_EQ(Map("C:"), fs::canonical(prefix_ / "drive_c"));
  EXPECT_EQ(Map("C:\\..\\.."), fs::canonical(prefix_ / "drive_c"));
  // What does not exist keeps the spelling it was given.
  EXPECT_EQ(Map("C:\\program files\\New Folder"),
            characters.parent_path().parent_path().parent_path().parent_path() / "New Folder");

  fs::create_directory(temp_.path() / "drive_d");
  fs::create_directory_symlink("../../drive_d", prefix_ / "dosdevices" / "D:");
  EXPECT_EQ(Map("d:\\"), fs::canonical(temp_.path() / "drive_d"));

  fs::remove(prefix_ / "dosdevices" / "D:");
  fs::create_directory_symlink("../missing", prefix_ / "dosdevices" / "d:");
  EXPECT_EQ(MapWindowsPathToWine(prefix_, "D:\\x"), std::nullopt);
}

TEST_F(GameFolderTest, EachPlaceWinsOverTheOnesAfterIt) {
  const std::string gameFolder = "C:\\Program Files\\Maxis\\The Sims\\";
  const fs::path saves = "Saved Games/Electronic Arts/The Sims 25/UserData/Characters";
  const fs::path proton = "steamapps/compatdata/3314060/pfx/drive_c/users/steamuser" / saves;
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env_), std::nullopt);
  EXPECT_EQ(ChooseStartupFolder("Not Found", Environment{}), std::nullopt);

  // The Wine front ends' prefixes, searched after the places below; made last first.
  enum Holds { kNativeView, k32BitView, kSaves };
  const std::pair<const char*, Holds> kFrontEnds[] = {
      {"home/.local/share/Steam/steamapps/compatdata/24010/pfx", kNativeView},
      {"home/.PlayOnLinux/wineprefix/Sims", kSaves},
      {"home/.var/app/com.usebottles.bottles/data/bottles/bottles/Sims", k32BitView},
      {"home/.local/share/bottles/bottles/Sims", kSaves},
      {"home/Games/the-sims", kSaves},
      {"lutris/sims", k32BitView},
  };
  test::WriteText(
      env_.home / ".config/lutris/games/sims.yml",
      "game:\n  exe: x.exe\n  prefix: '" + (temp_.path() / "lutris/sims").string() + "'\n");
  fs::path found;
  for (const auto& [place, holds] : kFrontEnds) {
    const fs::path prefix = temp_.path() / place;
    found = holds == kSaves ? test::MakeFolder(prefix / "drive_c/users/steamuser" / saves)
                            : GamePrefix(prefix, holds == k32BitView);
    EXPECT_EQ(ChooseStartupFolder(gameFolder, env_), found) << place;
  }
  // In one prefix the registry comes before the saves.
  const fs::path lutrisSaves =
      test::MakeFolder(temp_.path() / "lutris/sims/drive_c/users/player" / saves);
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env_), found);
  fs::remove(temp_.path() / "lutris/sims/system.reg");
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env_), lutrisSaves);

  test::WriteText(temp_.path() / "home/.local/share/Steam/steamapps/libraryfolders.vdf",
                  "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" +
                      (temp_.path() / "library").string() +
                      "\"\n\t\t\"apps\" { \"3314060\" \"1\" }\n"
                      "\t}\n}\n");
  // Then Steam's libraries, Steam's own folder, any user's saves, the player's own saves.
  fs::path ownUser;
  for (const fs::path& place :
       {"library" / proton, "home/.local/share/Steam" / proton,
        "prefix/drive_c/users/someone" / saves,
        fs::path("prefix/drive_c/users/Player/saved games/Electronic Arts/The Sims 25/userdata/"
                 "characters")}) {
    ownUser = test::MakeFolder(temp_.path() / place);
    EXPECT_EQ(ChooseStartupFolder(gameFolder, env_), ownUser) << place;
  }

  // Without WINEPREFIX the prefix is ~/.wine.
  Environment homeOnly = env_;
  homeOnly.winePrefix.clear();
  fs::create_directories(env_.home);
  fs::create_directory_symlink(prefix_, env_.home / ".wine");
  EXPECT_EQ(ChooseStartupFolder(gameFolder, homeOnly), ownUser);

  const fs::path game = test::MakeFolder(
      temp_.path() / "prefix/drive_c/Program Files/Maxis/The Sims/UserData/Characters");
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env_), game);
  EXPECT_EQ(ChooseStartupFolder("Not Found", env_), ownUser);
  // The folder must be a folder.
  fs::remove(game);
  test::WriteText(temp_.path() / "prefix/drive_c/Program Files/Maxis/The Sims/UserData/Characters",
                  "");
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env_), ownUser);
}

// The longest path Windows allows is still the game's; one character more is no folder of the
// game's, even where it exists.
TEST_F(GameFolderTest, FolderValuesLongerThanWindowsAllowsAreRefused) {
  const fs::path a = prefix_ / "drive_c" / std::string(200, 'a');
  const fs::path characters = test::MakeFolder(a / std::string(56, 'b') / "UserData/Characters");
  test::MakeFolder(a / std::string(57, 'b') / "UserData/Characters");
  const std::string longest = "C:\\" + std::string(200, 'a') + "\\" + std::string(56, 'b');
  ASSERT_EQ(longest.size(), kLongestWindowsPath);
  EXPECT_EQ(ChooseStartupFolder(longest + "\\", env_), characters);
  EXPECT_EQ(ChooseStartupFolder(longest + "b\\", env_), std::nullopt);
}

}  // namespace
}  // namespace quill::platform::registry
