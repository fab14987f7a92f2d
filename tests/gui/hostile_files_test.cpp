// Folders of broken and strange files: the window must stay whole and usable.
#ifdef _WIN32
#include <share.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <QTimer>
#include <fstream>
#include <map>

#include "viewer_fixture.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;
using testdata::Bytes;
using testdata::CharacterFile;

#ifdef _WIN32
// Another program holding a file open without sharing it: how a file is locked on Windows.
std::unique_ptr<FILE, int (*)(FILE*)> HoldOpen(const fs::path& file) {
  return {::_wfsopen(file.c_str(), L"rb", _SH_DENYRW), &std::fclose};
}
#endif

class HostileFiles : public Viewer {
 protected:
  // Every listed file has its roster line, the window answers, and a good Sim still loads.
  void expectUsable(const std::string& goodFile, const std::string& goodName) {
    EXPECT_EQ(list("List2")->count(), list("File1")->count());
    EXPECT_FALSE(window().busy());
    EXPECT_EQ(window().state().RosterPass, "1");
    const auto files = lines("File1");
    const auto at = std::find(files.begin(), files.end(), goodFile);
    ASSERT_NE(at, files.end());
    list("File1")->setCurrentRow(-1);
    click("File1", static_cast<int>(at - files.begin()));
    EXPECT_EQ(nameCaption(), "Name: " + goodName);
  }

  // Clicks every file, every chunk line of it and every image-type option.
  void clickEverything() {
    for (int file = 0; file < list("File1")->count(); ++file) {
      click("File1", file);
      for (int line = 0; line < list("List1")->count(); ++line) click("List1", line);
      for (int option = 1; option <= 6; ++option) clickOption(option);
    }
    for (int line = 0; line < list("List2")->count(); ++line) click("List2", line);
  }
};

TEST_F(HostileFiles, StrangeFilesAndStrangeNames) {
  write("UserA", "");
  fs::create_directory(folder() / "UserB");
#ifdef _WIN32
  // Windows keeps neither devices nor FIFOs in a folder, and only a privileged user makes links:
  // empty files and a locked one stand in.
  write("UserC", "");
  write("UserD", "");
  const auto locked = HoldOpen(folder() / "UserD");
  write("UserE", "");
#else
  fs::create_symlink("/dev/zero", folder() / "UserC");
  ASSERT_EQ(::mkfifo((folder() / "UserD").c_str(), 0600), 0);
  fs::create_symlink(folder() / "nowhere", folder() / "UserE");
#endif
  writeSim("User\xE9.iff", "Latin");
  writeSim("User\xC3\xA9t\xC3\xA9.iff", "Unicode");
  writeSim("UserZ", "Zed");
  open();
  // Folders are folders: the file list shows the rest, each with a roster line.
  EXPECT_EQ(lines("List2"),
            (Lines{"Bad File", "Bad File", "Bad File", "Bad File", "Zed", "Unicode", "Latin"}));
  EXPECT_EQ(lines("File1")[1], "UserC");
  EXPECT_EQ(lines("File1")[6], "User\xC3\xA9.iff");  // a Latin-1 name shown as such
  clickEverything();
  click("File1", 6);
  EXPECT_EQ(nameCaption(), "Name: Latin");
  expectUsable("UserZ", "Zed");
}

TEST_F(HostileFiles, AFiftyMegabyteFileIsHeldAtMostTwice) {
  CharacterFile big;
  big.add({"CTSS", 2000, 0, "", testdata::NameAndDescription("Huge", "x"), {}, {}});
  for (int i = 0; i < 50; ++i) big.add({"BHAV", 1, 0, "", Bytes(1 << 20, 'b'), {}, {}});
  big.write(folder() / "User1");
  writeSim("UserZ", "Zed");
  open();
  click("File1", 0);
  EXPECT_EQ(nameCaption(), "Name: Huge");
  const CharacterState& state = window().state();
  std::size_t held = state.FileImage.size();
  for (int row = 1; row <= list("List1")->count(); ++row)
    held += state.ChunkTable[row].ChunkData.size();
  EXPECT_LE(held, 2 * fs::file_size(folder() / "User1"));
  expectUsable("UserZ", "Zed");
}

TEST_F(HostileFiles, FilesThatVanishShrinkOrAreLockedBetweenListingAndReading) {
  for (int i = 0; i < 6; ++i) writeSim("User" + std::to_string(i), "Sim" + std::to_string(i));
  // A file its reader may not open (permissions do not bind the superuser).
  writeSim("User6", "Locked");
#ifdef _WIN32
  const auto held = HoldOpen(folder() / "User6");
  const char* locked = "Bad File";
#else
  fs::permissions(folder() / "User6", fs::perms::none);
  const char* locked = ::geteuid() == 0 ? "Locked" : "Bad File";
#endif
  writeSim("UserZ", "Zed");
  services.startupFolder = [](const std::string&) { return std::optional<fs::path>(); };
  open();
  // While the pass reads the first files, later ones go away or lose their tail.
  QTimer::singleShot(0, &window(), [this] {
    fs::remove(folder() / "User3");
    fs::resize_file(folder() / "User4", 100);
  });
  control<FolderList>("Dir1")->setPath(folder());
  EXPECT_EQ(lines("List2"),
            (Lines{"Sim0", "Sim1", "Sim2", "Bad File", "Bad File", "Sim5", locked, "Zed"}));
  click("List2", 3);
  EXPECT_EQ(nameCaption(), "Name: ");
  expectUsable("UserZ", "Zed");
}

TEST_F(HostileFiles, ASessionOfClicksNeverTouchesTheFiles) {
  for (int i = 0; i < 3; ++i) writeSim("User" + std::to_string(i), "Sim" + std::to_string(i));
  write("User3", Bytes(100, 'q'));
  // Every file's bytes and time of last change, by name.
  const auto snapshot = [this] {
    std::map<std::string, std::pair<Bytes, fs::file_time_type>> seen;
    for (const auto& entry : fs::directory_iterator(folder())) {
      std::ifstream in(entry.path(), std::ios::binary);
      seen[entry.path().filename().string()] = {Bytes(std::istreambuf_iterator<char>(in), {}),
                                                fs::last_write_time(entry.path())};
    }
    return seen;
  };
  const auto before = snapshot();
  open();
  clickEverything();
  control<QPushButton>("Command2")->click();
  EXPECT_EQ(snapshot(), before);
}

}  // namespace
}  // namespace quill::test
