// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

#include "inspect/neighbourhood_files.h"
#include "neighbourhood_builder.h"

namespace quill::platform {
namespace {

namespace fs = std::filesystem;

class Files : public ::testing::Test {
 protected:
  void write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
  }
  ScratchFolder folder_;
};

// FIFOs, devices and dangling links in a folder of Sims are the hostile-files window test's.
TEST_F(Files, ReadsRegularFilesWholeWithinTheLimit) {
  const fs::path& dir = folder_.path();
  write(dir / "plain", std::string("a\0b", 3));
  fs::create_symlink(dir / "plain", dir / "link");
  write(dir / "empty", "");
  EXPECT_EQ(ReadWholeFile(dir / "link"), std::string("a\0b", 3));
  EXPECT_EQ(ReadWholeFile(dir / "empty"), "");
  EXPECT_FALSE(ReadWholeFile(dir / "missing"));
  EXPECT_FALSE(ReadWholeFile(dir));
  EXPECT_FALSE(ReadWholeFile(dir / "plain", 2));
  EXPECT_EQ(ReadWholeFile(dir / "plain", 3)->size(), 3u);
  // One string read into file after file: nothing of a longer one stays, a refused one empties it.
  std::string reused = "a longer file read before";
  EXPECT_TRUE(ReadWholeFile(dir / "plain", reused));
  EXPECT_EQ(reused, std::string("a\0b", 3));
  EXPECT_FALSE(ReadWholeFile(dir / "missing", reused));
  EXPECT_EQ(reused, "");
}

TEST_F(Files, WritesOverTheStartWithoutEmptyingAndNeverThroughALink) {
  const fs::path scratch = folder_.path() / "temp.bmp";
  write(scratch, "0123456789");
  ASSERT_TRUE(WriteAtStart(scratch, "abc"));
  EXPECT_EQ(ReadWholeFile(scratch), "abc3456789");
  ASSERT_TRUE(WriteAtStart(folder_.path() / "new", ""));
  EXPECT_TRUE(fs::exists(folder_.path() / "new"));

  const fs::path victim = folder_.path() / "victim";
  write(victim, "precious");
  fs::create_symlink(victim, folder_.path() / "planted");
  EXPECT_FALSE(WriteAtStart(folder_.path() / "planted", "evil"));
  EXPECT_EQ(ReadWholeFile(victim), "precious");

  EXPECT_TRUE(DeleteFileNamed(scratch));
  EXPECT_FALSE(DeleteFileNamed(scratch));
}

TEST_F(Files, ScratchFoldersArePrivateInTheRuntimeFolderOnlyWhenItIsAFolder) {
  const fs::path& dir = folder_.path();
  write(dir / "file", "");
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string kept = saved ? saved : "";
  for (const fs::path& runtime : {dir, dir / "file", dir / "missing", fs::path("relative")}) {
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    EXPECT_EQ(ScratchBase(), runtime == dir ? dir : fs::temp_directory_path()) << runtime;
  }
  saved ? ::setenv("XDG_RUNTIME_DIR", kept.c_str(), 1) : ::unsetenv("XDG_RUNTIME_DIR");
  // Private. That it goes away with whatever it holds, the program's tests check at every ending.
  EXPECT_EQ(fs::status(dir).permissions() & (fs::perms::group_all | fs::perms::others_all),
            fs::perms::none);
}

// Both spellings present: the exact one wins, whatever the listing's order. A FIFO in its place
// is there but unreadable, not missing.
TEST_F(Files, NeighbourhoodFileOfTheExactSpellingFirstAndAFifoIsUnreadable) {
  const fs::path characters = folder_.path() / "UserData2" / "Characters";
  fs::create_directories(characters);
  const auto beside = [&characters](const char* name) { return characters.parent_path() / name; };
  testdata::NeighbourhoodFile({}, {{1, 0, 0, 0, 0, {}, "Lower"}}).write(beside("neighborhood.iff"));
  testdata::NeighbourhoodFile({}, {{1, 0, 0, 0, 0, {}, "Exact"}}).write(beside("Neighborhood.iff"));
  EXPECT_EQ(NeighbourhoodFileOf(characters), beside("Neighborhood.iff"));
  fs::remove(beside("Neighborhood.iff"));
  EXPECT_EQ(NeighbourhoodFileOf(characters), beside("neighborhood.iff"));
  fs::remove(beside("neighborhood.iff"));
  ASSERT_EQ(::mkfifo(beside("Neighborhood.iff").c_str(), 0600), 0);
  NeighbourhoodFiles files;
  EXPECT_EQ(files.of(characters, 1).problem, "The neighbourhood file cannot be read.");
}
}  // namespace
}  // namespace quill::platform
