// SPDX-License-Identifier: GPL-3.0-or-later
// A Wine prefix's registry files, of every form and of hostile sizes; the start-up folder on Linux:
// the game's folder by a prefix's registry, else the re-release's saves, wherever prefixes are
// kept.
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>
#include <optional>
#include <tuple>
#include <vector>

#include "platform/files.h"
#include "platform/registry/game_folder.h"
#include "platform/registry/game_language.h"
#include "platform/registry/steam_libraries.h"
#include "platform/registry/wine_registry.h"
#include "registry_test_data.h"

// The heap memory the test program holds, and the most it has held, counted by replacing the
// global operator new and delete, so that a test can bound the most a reading takes.
namespace {
std::size_t held = 0;
std::size_t peak = 0;
}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size);
  if (block == nullptr) throw std::bad_alloc();
  peak = std::max(peak, held += ::malloc_usable_size(block));
  return block;
}

void operator delete(void* block) noexcept {
  held -= ::malloc_usable_size(block);
  std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
  operator delete(block);
}

namespace quill::platform::registry {
namespace {

namespace fs = std::filesystem;

const std::string kHeader = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n";

// `head`, then `filler` until `bytes` are written, then `tail`. Each "#" of the filler is replaced
// by a number counting the fillers, so that names can be distinct.
void WriteLarge(const std::filesystem::path& file, std::string_view head, std::string_view filler,
                std::size_t bytes, std::string_view tail) {
  std::string text(head);
  const std::size_t mark = filler.find('#');
  for (std::size_t n = 0; text.size() < bytes; ++n) {
    text += filler.substr(0, mark);
    if (mark != std::string_view::npos)
      text.append(std::to_string(n)).append(filler.substr(mark + 1));
  }
  test::WriteText(file, text.append(tail));
}

// A value line as Wine writes a value of its type: a DWORD as one number, its highest byte first;
// any other as hex(type), strings in UTF-16.
std::string ValueLine(std::string_view name, std::uint32_t type, std::string_view bytes) {
  const bool dword = type == kTypeDword;
  const char* format = dword ? "%02x" : type == kTypeBinary ? "%02x," : "%02x,00,";
  std::string line = '"' + std::string(name) + "\"=";
  line.append(dword ? "dword:" : "hex(" + std::to_string(type) + "):");
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char hex[8];
    std::snprintf(hex, sizeof hex, format, std::uint8_t(bytes[dword ? bytes.size() - 1 - i : i]));
    line += hex;
  }
  return line;
}

class WineRegistryTest : public ::testing::Test {
 protected:
  // Writes the root's file and reads one value through a fresh backend, as the viewer would.
  std::string Read(std::string_view text, const std::string& key, const std::string& name,
                   KeyView view = KeyView::kNative, RootKey root = RootKey::kLocalMachine) {
    test::WriteText(prefix_.path() / (root == RootKey::kLocalMachine ? "system.reg" : "user.reg"),
                    text);
    WineRegistry registry(prefix_.path());
    return ReadRegistryValue(registry, root, key, name, view);
  }

  // The game's folder as a fresh backend finds it, with system.reg written first when given.
  std::string GameFolder(const std::optional<std::string>& systemReg = {}) {
    if (systemReg) test::WriteText(prefix_.path() / "system.reg", *systemReg);
    WineRegistry registry(prefix_.path());
    return GetGameDataFolder(registry);
  }

  ScratchFolder prefix_;
};

// Every value line in the forms Wine writes, and lines it cannot have written, which must take
// nothing from the lines around them.
TEST_F(WineRegistryTest, ValuesOfEveryFormAndBrokenLines) {
  // Each line, the name the viewer asks for and the text it reads.
  std::vector<std::array<std::string, 3>> values = {
      {R"("Plain"="C:\\Games\\The Sims\\")", "Plain", "C:\\Games\\The Sims\\"},
      {R"("Wide"=hex(1):e9,00,2d,4e,00,00)", "Wide", "\u00e9\u4e2d"},
      {R"("Expanding"=str(2):"C:\\x")", "Expanding", ""},
      {R"("Number"=dword:00003039)", "Number", ""},
      {R"("Bytes"=hex:39,30)", "Bytes", "12345"},
      {"\"Long\"=hex:39,\\\n  30,31,\\\n  32,33", "Long", "12345"},
      {R"("Escapes"="q\"b\\t\ttab\x00e9d\x4e2d\101|\e|\z")", "Escapes",
       "q\"b\\t\ttab\u00e9d\u4e2dA|\x1b|z"},
      {R"("Raw"="Ünïcode")", "Raw", "Ünïcode"},
      {"\"Windows Line\"=\"crlf\"\r", "windows LINE", "crlf"},
      {R"(@="default")", "", "default"},
      {"", "Absent", ""},
      {R"("Open"="never closed)", "Open", ""},
      {R"("Bad hex"=hex:3g)", "Bad hex", ""},
      {R"("Bad number"=dword:)", "Bad number", ""},
      {R"("Trailing"="x" y)", "Trailing", ""},
      {R"("Bad type"=hex(zz):00)", "Bad type", ""},
      {"\"Unnamed\ngarbage line \x01\xff", "Unnamed", ""},
  };
  // Every stored value as Wine writes a value of its type.
  for (const test::StoredValue& value : test::kStoredValues)
    values.push_back({ValueLine(value.name, value.type, value.bytes), value.name, value.text});
  // Values under a broken key name must not land in the key before it.
  values.push_back({"[Software\\\\Broken\n\"Orphan\"=\"lost\"", "Orphan", ""});
  std::string file = kHeader + "[Software\\\\Test] 1700000000\n#time=1da0b0c0d0\n";
  for (const auto& [line, name, text] : values) file += line + "\n";
  for (const auto& [line, name, text] : values) {
    EXPECT_EQ(Read(file, "Software\\Test", name), text) << name;
  }
  // Keys after those lines, found whatever their case, and only by their whole name.
  file += R"([Software\\Maxis\\The Sims] 1
"SIMS_DATA"="C:\\Sims"
[Software\\Wide\\\x00c9t\x00e9] 1
"v"="wide"
)";
  const std::array<std::string, 3> keys[] = {
      {"SOFTWARE\\maxis\\THE SIMS", "sims_data", "C:\\Sims"},
      {"Software\\wide\\été", "v", "wide"},
      {"Software\\Max", "SIMS_DATA", ""},
      {"Software\\Maxis\\The Sims 2", "SIMS_DATA", ""},
  };
  for (const auto& [key, name, text] : keys) EXPECT_EQ(Read(file, key, name), text) << key;
  // The player's own keys are in user.reg.
  file.replace(file.find("C:\\\\Sims"), 8, "user");
  EXPECT_EQ(Read(file, kGameKeyPath, kGameDataValue, KeyView::kNative, RootKey::kCurrentUser),
            "user");
}

TEST_F(WineRegistryTest, NoFileToReadHoldsNoGame) {
  // No prefix, no file, a file that is a folder, and a FIFO, which must not stall start-up.
  WineRegistry nowhere("");
  EXPECT_EQ(GetGameDataFolder(nowhere), "Not Found");
  EXPECT_EQ(GameFolder(), "Not Found");
  std::filesystem::create_directory(prefix_.path() / "system.reg");
  EXPECT_EQ(GameFolder(), "Not Found");
  std::filesystem::remove(prefix_.path() / "system.reg");
  ASSERT_EQ(::mkfifo((prefix_.path() / "system.reg").c_str(), 0600), 0);
  EXPECT_EQ(GameFolder(), "Not Found");
}

TEST_F(WineRegistryTest, ThirtyTwoBitViewComesFirst) {
  const std::string native = kHeader +
                             "#arch=win64\n[Software\\\\Maxis\\\\The Sims] 1\n"
                             "\"SIMS_DATA\"=\"C:\\\\Native\"\n";
  const std::string redirected = "[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims] 1\n\"SIMS_DATA\"=";
  EXPECT_EQ(GameFolder(native + redirected + "\"C:\\\\Redirected\\\\\"\n"), "C:\\Redirected\\");
  // An empty 32-bit value counts as none.
  EXPECT_EQ(GameFolder(native + redirected + "\"\"\n"), "C:\\Native\\");
  EXPECT_EQ(Read(native, kGameKeyPath, kGameDataValue, KeyView::k32Bit), "");

  // A 32-bit prefix has one view only.
  std::string thirtyTwo = native;
  thirtyTwo.replace(thirtyTwo.find("win64"), 5, "win32");
  EXPECT_EQ(Read(thirtyTwo, kGameKeyPath, kGameDataValue, KeyView::k32Bit), "C:\\Native");
}

TEST_F(WineRegistryTest, FilesOfTheLargestSizeAreReadInLittleMemory) {
  const std::string key =
      "[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims] 1\n\"SIMS_DATA\"=\"C:\\\\Sims\"\n";
  // The shape, what comes first, the filler that makes up the size, what comes last and the
  // folder found. A key whose lines take megabytes is none the game wrote, and too slow to read.
  const std::array<std::string, 5> kShapes[] = {
      {"many keys", kHeader, "[Software\\\\Junk\\\\Key] 1\n\"v\"=\"0123456789\"\n", key,
       "C:\\Sims\\"},
      {"one long line", kHeader, std::string(4096, 'x'), "\n" + key, "C:\\Sims\\"},
      {"many values in the game's key", kHeader + key, "\"v#\"=hex:01,\\\n  02\n", "", "Not Found"},
  };
  for (const auto& [shape, head, filler, tail, folder] : kShapes) {
    WriteLarge(prefix_.path() / "system.reg", head, filler, kLargestRegistryFile - 64 * 1024, tail);
    const std::size_t before = peak = held;
    EXPECT_EQ(GameFolder(), folder) << shape;
    EXPECT_LT(peak - before, 2 * 1024 * 1024) << shape;
  }
}

// A prefix's system.reg is read once for both views, whatever keys share the game's name, and not
// at all beyond its bounds.
TEST_F(WineRegistryTest, EachFileIsReadOnceWithinItsBudget) {
  const std::string file =
      kHeader +
      "#arch=win64\n[Software\\\\Maxis\\\\The Sims 2] 1\n\"SIMS_DATA\"=\"C:\\\\Two\"\n"
      "[Software\\\\Maxis\\\\The Sims] 1\n\"SIMS_DATA\"=\"C:\\\\Sims\"\n";
  const std::size_t all = std::numeric_limits<std::size_t>::max();
  // The case, the file's size (zeros after the text), the budget, whether the program was asked
  // to end, the folder found and the bytes read.
  const std::tuple<const char*, std::size_t, std::size_t, bool, const char*, std::size_t> kCases[] =
      {
          {"two views, a sibling key", file.size(), all, false, "C:\\Sims\\", file.size()},
          {"a byte over the budget", file.size(), file.size() - 1, false, "Not Found", 0},
          {"asked to end", file.size(), all, true, "Not Found", 0},
          {"a byte over the largest file", kLargestRegistryFile + 1, all, false, "Not Found", 0},
      };
  for (const auto& [name, size, bytes, ended, folder, spent] : kCases) {
    std::filesystem::resize_file(test::WriteText(prefix_.path() / "system.reg", file), size);
    ReadingBudget budget(bytes, [ended = ended] { return ended; });
    WineRegistry registry(prefix_.path(), budget);
    EXPECT_EQ(GetGameDataFolder(registry), folder) << name;
    EXPECT_EQ(budget.Spent(), spent) << name;
  }
}

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

// Writes a 64-bit prefix's user.reg and system.reg holding `settings`.
void WriteLanguagePrefix(const fs::path& prefix,
                         const std::vector<test::LanguageSetting>& settings) {
  const auto key = [&settings](const char* keyLine, test::LanguageKey which) {
    std::string text = std::string(keyLine) + " 1\n";
    for (const test::LanguageSetting& setting : settings)
      if (setting.key == which)
        text += ValueLine("SIMS_LANGUAGE", setting.type, setting.bytes) + "\n";
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
