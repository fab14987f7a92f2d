#include "platform/files.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <fstream>

namespace quill::platform {
namespace {

namespace fs = std::filesystem;

class Files : public ::testing::Test {
 protected:
  void write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
  }
  std::string read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  ScratchFolder folder_;
};

TEST_F(Files, ReadsRegularFilesWholeAndNothingElse) {
  const fs::path& dir = folder_.path();
  ASSERT_FALSE(dir.empty());
  write(dir / "plain", std::string("a\0b", 3));
  EXPECT_EQ(ReadWholeFile(dir / "plain"), std::string("a\0b", 3));
  write(dir / "empty", "");
  EXPECT_EQ(ReadWholeFile(dir / "empty"), "");
  EXPECT_FALSE(ReadWholeFile(dir / "missing"));
  EXPECT_FALSE(ReadWholeFile(dir));
#ifdef _WIN32
  // Windows keeps no FIFOs in folders; its devices answer to reserved names anywhere.
  EXPECT_FALSE(ReadWholeFile(dir / "NUL"));
  EXPECT_FALSE(ReadWholeFile(dir / "CON"));
#else
  // A FIFO must neither block nor count as a file; nor may a device behind a link.
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  EXPECT_FALSE(ReadWholeFile(dir / "fifo"));
  fs::create_symlink("/dev/zero", dir / "zero");
  EXPECT_FALSE(ReadWholeFile(dir / "zero"));
  fs::create_symlink(dir / "plain", dir / "link");
  EXPECT_EQ(ReadWholeFile(dir / "link"), std::string("a\0b", 3));
#endif
}

TEST_F(Files, RefusesFilesOverTheLimit) {
  write(folder_.path() / "big", std::string(1000, 'x'));
  EXPECT_FALSE(ReadWholeFile(folder_.path() / "big", 999));
  EXPECT_EQ(ReadWholeFile(folder_.path() / "big", 1000)->size(), 1000u);
}

TEST_F(Files, WritesOverTheStartWithoutEmptyingAndNeverThroughALink) {
  const fs::path scratch = folder_.path() / "temp.bmp";
  write(scratch, "0123456789");
  ASSERT_TRUE(WriteAtStart(scratch, "abc"));
  EXPECT_EQ(read(scratch), "abc3456789");
  ASSERT_TRUE(WriteAtStart(folder_.path() / "new", ""));
  EXPECT_TRUE(fs::exists(folder_.path() / "new"));

#ifndef _WIN32
  // (Making a symbolic link on Windows takes a privilege ordinary users lack, and the MinGW C++
  // library makes none.)
  const fs::path victim = folder_.path() / "victim";
  write(victim, "precious");
  fs::create_symlink(victim, folder_.path() / "planted");
  EXPECT_FALSE(WriteAtStart(folder_.path() / "planted", "evil"));
  EXPECT_EQ(read(victim), "precious");
#endif

  EXPECT_TRUE(DeleteFileNamed(scratch));
  EXPECT_FALSE(DeleteFileNamed(scratch));
}

TEST_F(Files, ScratchFolderIsPrivateAndGoesAway) {
  fs::path made;
  {
    ScratchFolder scratch;
    made = scratch.path();
    ASSERT_TRUE(fs::is_directory(made));
#ifdef _WIN32
    // Windows has no mode bits: the user's own temporary folder is what keeps it private.
    EXPECT_EQ((made.parent_path() / "").native(), (fs::temp_directory_path() / "").native());
#else
    EXPECT_EQ(fs::status(made).permissions() & (fs::perms::group_all | fs::perms::others_all),
              fs::perms::none);
#endif
    write(made / "left behind", "x");
  }
  EXPECT_FALSE(fs::exists(made));
}

#ifdef _WIN32
TEST(FolderNames, JoinAddsOneSeparatorOnly) {
  EXPECT_EQ(JoinFolderAndName("C:\\", "UserA").string(), "C:\\UserA");
  EXPECT_EQ(JoinFolderAndName("C:\\chars", "UserA").string(), "C:\\chars\\UserA");
  EXPECT_EQ(JoinFolderAndName("C:\\chars\\", "UserA").string(), "C:\\chars\\UserA");
}

TEST(FolderNames, DrivesAreLettersAndColons) {
  const std::vector<std::string> drives = ListDrives();
  EXPECT_NE(std::find(drives.begin(), drives.end(), "C:"), drives.end());
  EXPECT_EQ(DriveOf("C:\\Program Files\\Maxis"), "C:");
  EXPECT_EQ(DriveOf(CurrentFolder()), CurrentFolder().root_name().string());
}

TEST(FolderNames, NamesInAnyEncodingStayVisible) {
  EXPECT_EQ(DisplayName(fs::path(L"User\u00E9.iff")), "User\xC3\xA9.iff");
}
#else
TEST(FolderNames, JoinAddsOneSeparatorOnly) {
  EXPECT_EQ(JoinFolderAndName("/", "UserA").string(), "/UserA");
  EXPECT_EQ(JoinFolderAndName("/chars", "UserA").string(), "/chars/UserA");
  EXPECT_EQ(JoinFolderAndName("/chars/", "UserA").string(), "/chars/UserA");
}

TEST(FolderNames, NamesInAnyEncodingStayVisible) {
  EXPECT_EQ(DisplayName("User\xC3\xA9.iff"), "User\xC3\xA9.iff");  // UTF-8 kept
  EXPECT_EQ(DisplayName("User\xE9.iff"), "User\xC3\xA9.iff");      // Latin-1 shown as such
}
#endif

TEST_F(Files, ListsFoldersApartFromFilesAndResolvesOnlyFolders) {
  fs::create_directory(folder_.path() / "sub");
  write(folder_.path() / "User1", "");
  const auto listing = ListFolder(folder_.path());
  ASSERT_TRUE(listing);
  EXPECT_EQ(listing->folders, std::vector<fs::path>{"sub"});
  EXPECT_EQ(listing->files, std::vector<fs::path>{"User1"});
  EXPECT_FALSE(ListFolder(folder_.path() / "none"));
  EXPECT_EQ(ResolveFolder(folder_.path() / "sub" / ".."), folder_.path());
  EXPECT_FALSE(ResolveFolder(folder_.path() / "User1"));
}

}  // namespace
}  // namespace quill::platform
