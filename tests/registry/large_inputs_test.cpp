// Registry files and Steam lists of hostile sizes give the right answer, registry files with little
// memory. (The time they take is a benchmark's figure, not a test's.)
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <new>

#include "platform/files.h"
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

constexpr std::size_t kMiB = 1024 * 1024;
const std::string kHeader = "WINE REGISTRY Version 2\n#arch=win64\n";
const std::string kGameKey = "[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims] 1\n";

// `head`, then `filler` until `bytes` are written, then `tail`, written in pieces. Each "#" of the
// filler is replaced by a number counting the pieces, so that names can be distinct.
void WriteLarge(const fs::path& file, std::string_view head, std::string_view filler,
                std::size_t bytes, std::string_view tail) {
  std::ofstream out(file, std::ios::binary);
  out << head;
  const std::size_t mark = filler.find('#');
  for (std::size_t written = 0, n = 0; written < bytes; written += filler.size(), ++n) {
    out << filler.substr(0, mark);
    if (mark != std::string_view::npos) out << n << filler.substr(mark + 1);
  }
  out << tail;
}

TEST(LargeInputs, RegistryFilesOf64MiBAreReadInLittleMemory) {
  const std::string value = "\"SIMS_DATA\"=\"C:\\\\Sims\"\n";
  // The shape, what comes first, the filler that makes up the 64 MiB and what comes last.
  const std::array<std::string, 4> kShapes[] = {
      {"many keys", kHeader, "[Software\\\\Junk\\\\Key] 1\n\"v\"=\"0123456789\"\n",
       kGameKey + value},
      {"one long line", kHeader, std::string(4096, 'x'), "\n" + kGameKey + value},
      {"many values in the game's key", kHeader + kGameKey + value, "\"v#\"=hex:01,\\\n  02\n", ""},
  };
  for (const auto& [shape, head, filler, tail] : kShapes) {
    ScratchFolder prefix;
    WriteLarge(prefix.path() / "system.reg", head, filler, 64 * kMiB, tail);
    const std::size_t before = peak = held;
    WineRegistry registry(prefix.path());
    EXPECT_EQ(GetGameDataFolder(registry), "C:\\Sims\\") << shape;
    EXPECT_LT(peak - before, 2 * kMiB) << shape;
  }
}

// A list of a hundred real folders: Steam's own folder first, then the listed ones in order, up to
// the cap. (That a list never yields more, nor a path twice, the library-list fuzz target checks.)
TEST(LargeInputs, SteamLibrariesStopAtTheCapWithSteamsOwnFolderFirst) {
  ScratchFolder home;
  std::string list;
  for (int n = 0; n < 100; ++n)
    list += "\"path\" \"" + test::MakeFolder(home.path() / std::to_string(n)).string() + "\"\n";
  test::WriteText(home.path() / ".local/share/Steam/steamapps/libraryfolders.vdf", list);
  const auto libraries = SteamLibraries(Environment{home.path(), {}, {}, {}});
  ASSERT_EQ(libraries.size(), kMostSteamLibraries);
  EXPECT_EQ(libraries[0], home.path() / ".local/share/Steam");
  EXPECT_EQ(libraries[1], test::MakeFolder(home.path() / "0"));
  EXPECT_EQ(libraries.back(), test::MakeFolder(home.path() / "62"));  // 63 of the listed ones
}

}  // namespace
}  // namespace quill::platform::registry
