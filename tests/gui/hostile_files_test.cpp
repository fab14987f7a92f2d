// Folders of broken and strange files: the window must stay whole and usable.
#ifdef _WIN32
#include <share.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <map>

#include "command_line/roster_listing.h"
#include "neighbourhood_builder.h"
#include "viewer_fixture.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;
using testdata::Bytes;
using testdata::CharacterFile;
using testdata::operator""_b;

#ifdef _WIN32
// Another program holding a file open without sharing it: how a file is locked on Windows.
std::unique_ptr<FILE, int (*)(FILE*)> HoldOpen(const fs::path& file) {
  return {::_wfsopen(file.c_str(), L"rb", _SH_DENYRW), &std::fclose};
}
#endif

class HostileFiles : public Viewer {
 protected:
  // Every listed file has its roster line, the window answers, and the good Sim on `row` loads
  // without adding its name to the roster again.
  void expectUsable(int row, const std::string& name) {
    const Lines roster = lines("List2");
    EXPECT_EQ(roster.size(), static_cast<std::size_t>(list("File1")->count()));
    EXPECT_FALSE(window().busy());
    list("File1")->setCurrentRow(-1);
    click("File1", row);
    EXPECT_EQ(nameCaption(), "Name: " + name);
    EXPECT_EQ(lines("List2"), roster);
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

// However broken, each file the folder lists has its own roster line, in the file list's order.
TEST_F(HostileFiles, EveryFileHasItsRosterLineItsOwnSimAndIsNeverWritten) {
  writeSim("UserB.iff", "Bram");
  writeSim("usera.iff", "Ada");
  write("USERC", Bytes(100, 'q'));  // one chunk, cut off inside its header
  CharacterFile().add({"OBJD", 1, 0, "nameless", "x"_b, {}, {}}).write(folder() / "UserD");
  CharacterFile().add({"CTSS", 1, 0, "", "no markers"_b, {}, {}}).write(folder() / "UserE");
  writeSim("UserF", "Eve");
  // A picture chunk labelled CTSS whose bytes are no picture: the loader is asked all the same.
  CharacterFile().add({"BMP_", 1, 0, "CTSS", "no picture"_b, {}, {}}).write(folder() / "UserG");
  write("UserH", "");
  fs::create_directory(folder() / "UserI");  // folders are not files
#ifdef _WIN32
  // Windows keeps neither devices nor FIFOs in a folder, and only a privileged user makes links:
  // empty files and a locked one stand in.
  write("UserJ", "");
  write("UserK", "");
  const auto locked = HoldOpen(folder() / "UserK");
  write("UserL", "");
#else
  fs::create_symlink("/dev/zero", folder() / "UserJ");
  ASSERT_EQ(::mkfifo((folder() / "UserK").c_str(), 0600), 0);
  fs::create_symlink(folder() / "nowhere", folder() / "UserL");
#endif
  writeSim("User\xC3\xA9t\xC3\xA9.iff", "Unicode");
  writeSim("User\xE9.iff", "Latin");
  write("Other.iff", "not listed");
  // Every file's bytes and time of last change, by name: no click may change them.
  const auto snapshot = [this] {
    std::map<std::string, std::pair<std::optional<Bytes>, fs::file_time_type>> seen;
    for (const auto& entry : fs::directory_iterator(folder()))
      if (entry.is_regular_file())
        seen[entry.path().filename().string()] = {platform::ReadWholeFile(entry.path()),
                                                  entry.last_write_time()};
    return seen;
  };
  const auto before = snapshot();
  open();
  Lines files = lines("File1");
  EXPECT_EQ(files.back(), "User\xC3\xA9.iff");  // a Latin-1 name shown as such
  files.resize(11);
  EXPECT_EQ(files, (Lines{"usera.iff", "UserB.iff", "USERC", "UserD", "UserE", "UserF", "UserG",
                          "UserH", "UserJ", "UserK", "UserL"}));
  const std::string bad = "Bad File";
  EXPECT_EQ(lines("List2"), (Lines{"Ada", "Bram", bad, bad, bad, "Eve", bad, bad, bad, bad, bad,
                                   "Unicode", "Latin"}));
  // The command line's listing, read with no window, says what the window's roster shows.
  const auto listed = ListRoster(folder(), 1).value();
  ASSERT_EQ(listed.size(), 13u);
  for (std::size_t i = 0; i < listed.size(); ++i)
    EXPECT_EQ(platform::DisplayName(listed[i].file) + listed[i].name,
              lines("File1")[i] + lines("List2")[i]);
  clickEverything();
  control<QPushButton>("Command2")->click();
  EXPECT_EQ(snapshot(), before);
  expectUsable(12, "Latin");
  // Choosing a name loads that Sim's own file.
  click("List2", 5);
  EXPECT_EQ(selected("File1"), 5);
  EXPECT_EQ(nameCaption(), "Name: Eve");
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
  expectUsable(1, "Zed");
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
  expectUsable(7, "Zed");
}

// Catches a card that shows nothing, or another case's words, for a neighbourhood file that is
// empty, damaged, too large or missing.
TEST_F(HostileFiles, ABrokenNeighbourhoodLeavesTheCardSayingWhy) {
  writeSim("UserData/Characters/UserA", "Ada");
  // The neighbourhood file (none: no file), and the line the card shows.
  const std::pair<std::optional<Bytes>, std::string> cases[] = {
      {"", "The neighbourhood file holds no list of Sims."},
      {CharacterFile().add({"FAMI", 1, 0, "", "", 0, {}}).build(),
       "The neighbourhood file is damaged; what follows the damage is missing."},
      {Bytes(platform::kLargestReadableFile + 1, 'x'),
       "The neighbourhood file is larger than 64 MiB, too large to be one."},
      {std::nullopt, "There is no neighbourhood file (Neighborhood.iff) beside this folder."},
  };
  open(folder() / "UserData" / "Characters");
  for (const auto& [bytes, line] : cases) {
    bytes ? write("UserData/Neighborhood.iff", *bytes)
          : void(fs::remove(folder() / "UserData/Neighborhood.iff"));
    window().showSimCard();
    EXPECT_EQ(window().findChild<QLabel*>("SimCardMissing")->text().toStdString(), line);
  }
  expectUsable(0, "Ada");
}

}  // namespace
}  // namespace quill::test
