#include "platform/files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

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

TEST_F(Files, ScratchFoldersGoToTheRuntimeFolderOnlyWhenItIsAFolder) {
  const fs::path& dir = folder_.path();
  write(dir / "file", "");
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string kept = saved ? saved : "";
  for (const fs::path& runtime : {dir, dir / "file", dir / "missing", fs::path("relative")}) {
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    EXPECT_EQ(ScratchBase(), runtime == dir ? dir : fs::temp_directory_path()) << runtime;
  }
  saved ? ::setenv("XDG_RUNTIME_DIR", kept.c_str(), 1) : ::unsetenv("XDG_RUNTIME_DIR");
}

// That it goes away with whatever it holds, the program's own tests check at every ending.
TEST_F(Files, ScratchFolderIsPrivate) {
  EXPECT_EQ(
      fs::status(folder_.path()).permissions() & (fs::perms::group_all | fs::perms::others_all),
      fs::perms::none);
}

}  // namespace
}  // namespace quill::platform
