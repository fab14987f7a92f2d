// Choosing the start-up folder on Linux: the game's folder through a Wine prefix's registry, else
// the re-release's save folders, in every place players keep prefixes.
#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "platform/files.h"
#include "platform/registry/game_folder.h"
#include "platform/registry/game_language.h"
#include "platform/registry/steam_libraries.h"
#include "platform/registry/wine_registry.h"
#include "registry_test_data.h"

namespace quill::platform::registry {
namespace {

namespace fs = std::filesystem;

class GameFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { LinkDriveC(prefix_); }

  // Drive C: of `prefix` is its drive_c folder, as Wine makes it.
  static void LinkDriveC(const fs::path& prefix) {
    fs::create_directories(prefix / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
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
    LinkDriveC(prefix);
    return test::MakeFolder(prefix / "drive_c/Maxis/Sims/UserData/Characters");
  }

  ScratchFolder temp_;
  fs::path prefix_ = temp_.path() / "prefix";
  Environment env_{temp_.path() / "home", prefix_, "player", {}};
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
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env_), std::nullopt);
  EXPECT_EQ(ChooseStartupFolder("Not Found", Environment{}), std::nullopt);
  test::WriteText(
      env_.home / ".config/lutris/games/sims.yml",
      "game:\n  exe: x.exe\n  prefix: '" + (temp_.path() / "lutris/sims").string() + "'\n");
  test::WriteText(env_.home / ".local/share/Steam/steamapps/libraryfolders.vdf",
                  "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" +
                      (temp_.path() / "library").string() +
                      "\"\n\t\t\"apps\" { \"3314060\" \"1\" }\n"
                      "\t}\n}\n");

  // Made last first: the Wine front ends' prefixes (in one prefix the registry comes before the
  // saves), Steam's libraries, Steam's own folder, any user's saves, the player's own saves and
  // the game's folder in the prefix of WINEPREFIX.
  enum Holds { kNativeView, k32BitView, kSaves, kFolder };
  const std::pair<const char*, Holds> kPlaces[] = {
      {"home/.local/share/Steam/steamapps/compatdata/24010/pfx", kNativeView},
      {"home/.PlayOnLinux/wineprefix/Sims/drive_c/users/steamuser", kSaves},
      {"home/.var/app/com.usebottles.bottles/data/bottles/bottles/Sims", k32BitView},
      {"home/.local/share/bottles/bottles/Sims/drive_c/users/steamuser", kSaves},
      {"home/Games/the-sims/drive_c/users/steamuser", kSaves},
      {"lutris/sims/drive_c/users/player", kSaves},
      {"lutris/sims", k32BitView},
      {"library/steamapps/compatdata/3314060/pfx/drive_c/users/steamuser", kSaves},
      {"home/.local/share/Steam/steamapps/compatdata/3314060/pfx/drive_c/users/steamuser", kSaves},
      {"prefix/drive_c/users/someone", kSaves},
      {"prefix/drive_c/users/Player/saved games/electronic arts/the sims 25/userdata/characters",
       kFolder},
      {"prefix/drive_c/Program Files/Maxis/The Sims/UserData/Characters", kFolder},
  };
  const fs::path saves = "Saved Games/Electronic Arts/The Sims 25/UserData/Characters";
  fs::path found;
  fs::path ownSaves;
  for (const auto& [place, holds] : kPlaces) {
    const fs::path at = temp_.path() / place;
    ownSaves = found;
    found = holds == kSaves    ? test::MakeFolder(at / saves)
            : holds == kFolder ? test::MakeFolder(at)
                               : GamePrefix(at, holds == k32BitView);
    EXPECT_EQ(ChooseStartupFolder(gameFolder, env_), found) << place;
  }
  EXPECT_EQ(ChooseStartupFolder("Not Found", env_), ownSaves);
  // The folder must be a folder.
  fs::remove(found);
  test::WriteText(found, "");
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env_), ownSaves);
  // Without WINEPREFIX the prefix is ~/.wine.
  Environment homeOnly = env_;
  homeOnly.winePrefix.clear();
  fs::create_directory_symlink(prefix_, env_.home / ".wine");
  EXPECT_EQ(ChooseStartupFolder(gameFolder, homeOnly), ownSaves);
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

// One budget bounds the registry files of all prefixes, and being asked to end stops the search.
TEST_F(GameFolderTest, TheWholeSearchStaysWithinOneBudget) {
  test::WriteText(env_.home / "Games/a/system.reg", std::string(1000, '\n'));
  const fs::path found = GamePrefix(env_.home / "Games/b", false);
  const std::size_t both = 1000 + fs::file_size(env_.home / "Games/b/system.reg");
  const std::tuple<std::size_t, bool, std::optional<fs::path>> kCases[] = {
      {both, false, found}, {both - 1, false, std::nullopt}, {both, true, std::nullopt}};
  for (const auto& [bytes, ended, folder] : kCases) {
    EXPECT_EQ(
        ChooseStartupFolder("Not Found", env_, ReadingBudget(bytes, [e = ended] { return e; })),
        folder);
  }
}

// A list of a hundred real folders: Steam's own folder first, then the listed ones in order, up to
// the cap. (That a list never yields more, nor a path twice, the library-list fuzz target checks.)
TEST_F(GameFolderTest, SteamLibrariesStopAtTheCapWithSteamsOwnFolderFirst) {
  std::string list;
  for (int n = 0; n < 100; ++n)
    list += "\"path\" \"" + test::MakeFolder(env_.home / std::to_string(n)).string() + "\"\n";
  test::WriteText(env_.home / ".local/share/Steam/steamapps/libraryfolders.vdf", list);
  const auto libraries = SteamLibraries(env_);
  ASSERT_EQ(libraries.size(), kMostSteamLibraries);
  EXPECT_EQ(libraries[0], env_.home / ".local/share/Steam");
  EXPECT_EQ(libraries[1], test::MakeFolder(env_.home / "0"));
  EXPECT_EQ(libraries.back(), test::MakeFolder(env_.home / "62"));  // 63 of the listed ones
}

}  // namespace
}  // namespace quill::platform::registry

namespace quill::platform::registry {
namespace {

// A SIMS_LANGUAGE line as Wine writes the value.
std::string LanguageLine(const test::LanguageSetting& setting) {
  std::string line = "\"SIMS_LANGUAGE\"=";
  if (setting.type == kTypeString)
    return line + '"' + std::string(setting.bytes.substr(0, setting.bytes.find('\0'))) + "\"\n";
  line += setting.type == kTypeDword ? "dword:" : "hex:";
  char digits[4];
  for (std::size_t i = 0; i < setting.bytes.size(); ++i) {
    // A DWORD is written as one number, its highest byte first.
    const std::size_t at = setting.type == kTypeDword ? setting.bytes.size() - 1 - i : i;
    std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(setting.bytes[at]));
    line += digits;
    if (setting.type != kTypeDword && i + 1 < setting.bytes.size()) line += ',';
  }
  return line + '\n';
}

// Writes a 64-bit prefix's user.reg and system.reg holding `settings`.
void WriteLanguagePrefix(const fs::path& prefix,
                         const std::vector<test::LanguageSetting>& settings) {
  const auto key = [&settings](const char* keyLine, test::LanguageKey which) {
    std::string text = std::string(keyLine) + " 1\n";
    for (const test::LanguageSetting& setting : settings)
      if (setting.key == which) text += LanguageLine(setting);
    return text;
  };
  const std::string header = "WINE REGISTRY Version 2\n#arch=win64\n\n";
  test::WriteText(prefix / "user.reg", header + key("[Software\\\\Electronic Arts\\\\The Sims 25]",
                                                    test::LanguageKey::kReRelease));
  test::WriteText(
      prefix / "system.reg",
      header +
          key("[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims]", test::LanguageKey::kGame32Bit) +
          key("[Software\\\\Maxis\\\\The Sims]", test::LanguageKey::kGameNative));
}

TEST_F(GameFolderTest, GameLanguageIsReadFromThePrefixsFiles) {
  int number = 0;
  for (const test::LanguageCase& languageCase : test::kLanguageCases) {
    const fs::path prefix = temp_.path() / ("language" + std::to_string(++number));
    WriteLanguagePrefix(prefix, languageCase.settings);
    WineRegistry registry(prefix);
    EXPECT_EQ(ReadGameLanguage(registry), languageCase.slot) << languageCase.what;
  }
}

// Catches the language taken from a registry other than the one of the prefix the folder was
// found in: here WINEPREFIX's, which holds no folder of Sims.
TEST_F(GameFolderTest, TheFolderFoundCarriesTheLanguageOfItsOwnPrefix) {
  const std::string gameFolder = "C:\\Maxis\\Sims\\";
  WriteLanguagePrefix(prefix_, {{test::LanguageKey::kGame32Bit, kTypeString, "German"}});
  const fs::path pfx = env_.home / ".local/share/Steam/steamapps/compatdata/3314060/pfx";
  WriteLanguagePrefix(pfx, {{test::LanguageKey::kReRelease, kTypeString, "French"}});
  const fs::path saves = test::MakeFolder(
      pfx / "drive_c/users/steamuser/Saved Games/Electronic Arts/The Sims 25/UserData/Characters");
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env_), FoundFolder(saves, 3));
  const fs::path characters = test::MakeFolder(prefix_ / "drive_c/Maxis/Sims/UserData/Characters");
  EXPECT_EQ(ChooseStartupFolder(gameFolder, env_), FoundFolder(characters, 4));
}

}  // namespace
}  // namespace quill::platform::registry
