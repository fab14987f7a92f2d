// Reading a Wine prefix's registry files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <map>

#include "platform/files.h"
#include "platform/registry/wine_registry.h"
#include "registry_values.h"
#include "test_files.h"

namespace quill::platform::registry {
namespace {

constexpr std::string_view kHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n";

class WineRegistryTest : public ::testing::Test {
 protected:
  // Writes system.reg and reads one value through a fresh backend, as the viewer would.
  std::string Read(std::string_view systemReg, const std::string& key, const std::string& name,
                   KeyView view = KeyView::kNative) {
    test::WriteText(prefix_.path() / "system.reg", systemReg);
    WineRegistry registry(prefix_.path());
    return ReadRegistryValue(registry, RootKey::kLocalMachine, key, name, view);
  }

  ScratchFolder prefix_;
};

// Every stored value as Wine writes a value of its type (strings in UTF-16), and the other forms
// Wine writes values in.
TEST_F(WineRegistryTest, ValuesOfEveryForm) {
  std::string file = std::string(kHeader) + R"(
[Software\\Test] 1700000000
#time=1da0b0c0d0e0f00
"Plain"="C:\\Games\\The Sims\\"
"Wide"=hex(1):e9,00,2d,4e,00,00
"Quoted"=""
"Expanding"=str(2):"C:\\x"
"Number"=dword:00003039
"Bytes"=hex:39,30
"Long"=hex:39,\
  30,31,32,33,34,35,36,37,38,39,3a,3b,3c,3d,3e,3f,40,41,42,43,44,45,46,47,48,49,\
  4a
"Escapes"="q\"b\\t\ttab\x00e9d\x4e2d\101|\e|\z"
"Raw"="Ünïcode"
"Windows Line"="crlf"
@="default"
)";
  std::map<std::string, std::string> expected = {{"Plain", "C:\\Games\\The Sims\\"},
                                                 {"Wide", "\xC3\xA9\xE4\xB8\xAD"},
                                                 {"Quoted", ""},
                                                 {"Expanding", ""},
                                                 {"Number", ""},
                                                 {"Bytes", "12345"},
                                                 {"Long", "12345"},
                                                 {"Escapes",
                                                  "q\"b\\t\ttab\xC3\xA9"
                                                  "d\xE4\xB8\xAD"
                                                  "A|\x1b|z"},
                                                 {"Raw", "Ünïcode"},
                                                 {"windows LINE", "crlf"},
                                                 {"", "default"},
                                                 {"Absent", ""}};
  for (const test::StoredValue& value : test::kStoredValues) {
    const bool wide = value.type != kTypeBinary && value.type != kTypeDword;
    file += "\"" + std::string(value.name) + "\"=hex(" + std::to_string(value.type) + "):";
    for (const char c : value.bytes) {
      char hex[8];
      std::snprintf(hex, sizeof hex, wide ? "%02x,00," : "%02x,", static_cast<unsigned char>(c));
      file += hex;
    }
    file += "\n";
    expected[value.name] = value.text;
  }
  file.replace(file.find("\"crlf\"\n"), 7, "\"crlf\"\r\n");
  for (const auto& [name, text] : expected) {
    EXPECT_EQ(Read(file, "Software\\Test", name), text) << name;
  }
}

TEST_F(WineRegistryTest, KeysAreFoundWhateverTheirCase) {
  const std::string file = std::string(kHeader) + R"(
[Software\\Maxis\\The Sims] 1
"SIMS_DATA"="C:\\Sims"
[Software\\Wide\\\x00c9t\x00e9] 1
"v"="wide"
)";
  EXPECT_EQ(Read(file, "SOFTWARE\\maxis\\THE SIMS", "sims_data"), "C:\\Sims");
  EXPECT_EQ(Read(file, "Software\\wide\\été", "v"), "wide");
  // A key that only holds other keys opens, but has no values.
  EXPECT_EQ(Read(file, "Software\\Maxis", "SIMS_DATA"), "");
  EXPECT_EQ(Read(file, "Software\\Max", "SIMS_DATA"), "");
  EXPECT_EQ(Read(file, "Software\\Maxis\\The Sims 2", "SIMS_DATA"), "");

  test::WriteText(
      prefix_.path() / "user.reg",
      std::string(kHeader) + "[Software\\\\Maxis\\\\The Sims] 1\n\"SIMS_DATA\"=\"user\"\n");
  WineRegistry registry(prefix_.path());
  EXPECT_EQ(ReadRegistryValue(registry, RootKey::kCurrentUser, kGameKeyPath, kGameDataValue),
            "user");
}

TEST_F(WineRegistryTest, BrokenFilesYieldNothingElseButWhatIsSound) {
  // No prefix, no file, a file that is a folder.
  WineRegistry nowhere("");
  EXPECT_EQ(GetGameDataFolder(nowhere), "Not Found");
  WineRegistry empty(prefix_.path());
  EXPECT_EQ(GetGameDataFolder(empty), "Not Found");
  std::filesystem::create_directory(prefix_.path() / "system.reg");
  EXPECT_EQ(GetGameDataFolder(empty), "Not Found");
  std::filesystem::remove(prefix_.path() / "system.reg");
  // A FIFO in the file's place must not stall start-up.
  ASSERT_EQ(::mkfifo((prefix_.path() / "system.reg").c_str(), 0600), 0);
  EXPECT_EQ(GetGameDataFolder(empty), "Not Found");
  std::filesystem::remove(prefix_.path() / "system.reg");

  const std::string file = std::string(kHeader) + R"(
[Software\\T] 1
"Open"="never closed
"Bad hex"=hex:3g
"Bad number"=dword:
"Trailing"="x" y
"Bad type"=hex(zz):00
"Unnamed
garbage line \x01\xff
"Good"="kept"
[Software\\Broken
"Orphan"="lost"
[Software\\After] 1
"After"="found"
)";
  for (const char* name : {"Open", "Bad hex", "Bad number", "Trailing", "Bad type", "Orphan"}) {
    EXPECT_EQ(Read(file, "Software\\T", name), "") << name;
  }
  EXPECT_EQ(Read(file, "Software\\T", "Good"), "kept");
  EXPECT_EQ(Read(file, "Software\\After", "After"), "found");
}

TEST_F(WineRegistryTest, ThirtyTwoBitViewComesFirst) {
  const std::string both = std::string(kHeader) + R"(#arch=win64
[Software\\Maxis\\The Sims] 1
"SIMS_DATA"="C:\\Native"
[Software\\Wow6432Node\\Maxis\\The Sims] 1
"SIMS_DATA"="C:\\Redirected\\"
)";
  test::WriteText(prefix_.path() / "system.reg", both);
  WineRegistry registry(prefix_.path());
  EXPECT_EQ(GetGameDataFolder(registry), "C:\\Redirected\\");
  // An empty 32-bit value counts as none.
  std::string emptyRedirected = both;
  emptyRedirected.replace(emptyRedirected.find("C:\\\\Redirected"), 16, "");
  test::WriteText(prefix_.path() / "system.reg", emptyRedirected);
  WineRegistry emptyRegistry(prefix_.path());
  EXPECT_EQ(GetGameDataFolder(emptyRegistry), "C:\\Native\\");

  const std::string nativeOnly = both.substr(0, both.find("[Software\\\\Wow"));
  test::WriteText(prefix_.path() / "system.reg", nativeOnly);
  WineRegistry nativeRegistry(prefix_.path());
  EXPECT_EQ(GetGameDataFolder(nativeRegistry), "C:\\Native\\");
  EXPECT_EQ(Read(nativeOnly, kGameKeyPath, kGameDataValue, KeyView::k32Bit), "");

  // A 32-bit prefix has one view only.
  std::string thirtyTwo = nativeOnly;
  thirtyTwo.replace(thirtyTwo.find("win64"), 5, "win32");
  EXPECT_EQ(Read(thirtyTwo, kGameKeyPath, kGameDataValue, KeyView::k32Bit), "C:\\Native");
}

}  // namespace
}  // namespace quill::platform::registry
