// Registry files and Steam lists of hostile sizes: each gives the right answer with little memory.
// (The time they take is a benchmark's figure, not a test's.)
#include <gtest/gtest.h>

#include <fstream>

#include "platform/files.h"
#include "platform/registry/steam_libraries.h"
#include "platform/registry/wine_registry.h"
#include "test_files.h"

namespace quill::test {
// The most heap memory held since StartHeapPeak(), beyond what was held then (allocation_peak.cpp).
void StartHeapPeak();
std::size_t HeapPeakAboveStart();
}  // namespace quill::test

namespace quill::platform::registry {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMiB = 1024 * 1024;
constexpr std::string_view kHeader = "WINE REGISTRY Version 2\n#arch=win64\n";
constexpr std::string_view kGameKey = "[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims] 1\n";

// `head`, then `filler` until `bytes` are written, then `tail`, written in pieces. Each "#" of the
// filler is replaced by a number counting the pieces, so that names can be distinct.
void WriteLarge(const fs::path& file, std::string_view head, std::string_view filler,
                std::size_t bytes, std::string_view tail) {
  std::ofstream out(file, std::ios::binary);
  out << head;
  const std::size_t mark = filler.find('#');
  for (std::size_t written = 0, n = 0; written < bytes; written += filler.size(), ++n) {
    if (mark == std::string_view::npos) {
      out << filler;
    } else {
      out << filler.substr(0, mark) << n << filler.substr(mark + 1);
    }
  }
  out << tail;
}

TEST(LargeInputs, RegistryFilesOf64MiBAreReadInLittleMemory) {
  const std::string value = "\"SIMS_DATA\"=\"C:\\\\Sims\"\n";
  const struct {
    const char* shape;
    std::string head;
    std::string filler;
    std::string tail;
  } kShapes[] = {
      {"many keys", std::string(kHeader), "[Software\\\\Junk\\\\Key] 1\n\"v\"=\"0123456789\"\n",
       std::string(kGameKey) + value},
      {"one long line", std::string(kHeader), std::string(4096, 'x'),
       "\n" + std::string(kGameKey) + value},
      {"many values in the game's key", std::string(kHeader) + std::string(kGameKey) + value,
       "\"v#\"=hex:01,\\\n  02\n", ""},
  };
  for (const auto& shape : kShapes) {
    ScratchFolder prefix;
    WriteLarge(prefix.path() / "system.reg", shape.head, shape.filler, 64 * kMiB, shape.tail);
    test::StartHeapPeak();
    WineRegistry registry(prefix.path());
    EXPECT_EQ(GetGameDataFolder(registry), "C:\\Sims\\") << shape.shape;
    EXPECT_LT(test::HeapPeakAboveStart(), 2 * kMiB) << shape.shape;
  }
}

// Repeated paths count once: the library-list fuzz target checks that on every input.
TEST(LargeInputs, SteamListsOf1MiBYieldAtMost64Libraries) {
  std::string distinct;
  for (std::size_t n = 0; distinct.size() < kMiB; ++n)
    distinct += "\"path\" \"/library/" + std::to_string(n) + "\"\n";
  EXPECT_EQ(ParseSteamLibraryList(distinct).size(), kMostSteamLibraries);

  ScratchFolder home;
  const fs::path steam = test::MakeFolder(home.path() / ".local/share/Steam");
  for (std::size_t n = 0; n < 100; ++n) fs::create_directories(home.path() / std::to_string(n));
  std::string real;
  for (std::size_t n = 0; n < 100; ++n)
    real += "\"path\" \"" + (home.path() / std::to_string(n)).string() + "\"\n";
  test::WriteText(steam / "steamapps/libraryfolders.vdf", real);
  const auto libraries = SteamLibraries(Environment{home.path(), {}, {}, {}});
  ASSERT_EQ(libraries.size(), kMostSteamLibraries);
  EXPECT_EQ(libraries[1], home.path() / "0");
}

}  // namespace
}  // namespace quill::platform::registry
