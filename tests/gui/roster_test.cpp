#include <QTest>
#include <QTimer>

#include "command_line/roster_listing.h"
#include "viewer_fixture.h"

namespace quill::test {
namespace {

using testdata::Bytes;
using testdata::CharacterFile;
using testdata::operator""_b;

class Roster : public Viewer {};

TEST_F(Roster, OneLinePerFileInFileOrderThenTheFirstIsLoaded) {
  writeSim("UserB.iff", "Bram");
  writeSim("usera.iff", "Ada");
  write("USERC", Bytes(10, 'x'));  // unreadable
  CharacterFile().add({"OBJD", 1, 0, "nameless", "x"_b, {}, {}}).write(folder() / "UserD");
  CharacterFile().add({"CTSS", 1, 0, "", "no markers"_b, {}, {}}).write(folder() / "UserE");
  writeSim("UserF", "Eve");
  // A picture chunk labelled CTSS whose bytes are no picture: the loader is asked all the same.
  CharacterFile().add({"BMP_", 1, 0, "CTSS", "no picture"_b, {}, {}}).write(folder() / "UserG");
  write("Other.iff", "not listed");
  std::filesystem::create_directory(folder() / "empty");
  open();
  EXPECT_EQ(lines("File1"),
            (Lines{"usera.iff", "UserB.iff", "USERC", "UserD", "UserE", "UserF", "UserG"}));
  EXPECT_EQ(lines("List2"),
            (Lines{"Ada", "Bram", "Bad File", "Bad File", "Bad File", "Eve", "Bad File"}));
  EXPECT_EQ(selected("List2"), 0);
  EXPECT_EQ(selected("File1"), 0);
  EXPECT_EQ(nameCaption(), "Name: Ada");
  // The command line's listing says what the window's roster shows.
  const platform::ScratchFolder scratch;
  const auto listed = ListRoster(folder(), scratch.path()).value();
  ASSERT_EQ(listed.size(), 7u);
  for (std::size_t i = 0; i < listed.size(); ++i)
    EXPECT_EQ(listed[i].file.string() + listed[i].name, lines("File1")[i] + lines("List2")[i]);
  // Every file keeps its own line, so choosing a name loads that Sim's own file.
  click("List2", 2);
  EXPECT_EQ(nameCaption(), "Name: ");
  EXPECT_TRUE(lines("List1").empty());
  click("List2", 5);
  EXPECT_EQ(selected("File1"), 5);
  EXPECT_EQ(nameCaption(), "Name: Eve");
  // A folder without Sims leaves the last file's chunks to inspect, and the roster stays empty.
  const auto chunkLines = lines("List1");
  ASSERT_TRUE(control<FolderList>("Dir1")->setPath(folder() / "empty"));
  EXPECT_TRUE(lines("List2").empty());
  EXPECT_EQ(lines("List1"), chunkLines);
  click("List1", 1);
  EXPECT_EQ(nameCaption(), "Name: Eve");
  EXPECT_TRUE(lines("List2").empty());
}

class InputDuringReads : public Viewer {
 protected:
  // Runs `act` at the first turn of the event loop that a read or search grants once `ready`
  // holds.
  void atEventTurn(
      std::function<void()> act, std::function<bool()> ready = [] { return true; }) {
    QTimer::singleShot(0, &window(), [this, act, ready] {
      if (!ready() && window().busy()) return atEventTurn(act, ready);
      ranDuringRead = window().busy();
      act();
    });
  }
  bool ranDuringRead = false;
};

TEST_F(InputDuringReads, SelectionsMadeWhileAFileIsReadAreIgnored) {
  writeSim("UserA", "Ada");
  writeSim("UserB", "Bram");
  writeSim("UserC", "Cy");
  open();
  atEventTurn([this] {
    click("File1", 2);
    click("List2", 2);
    click("List1", 0);
    clickOption(1);
  });
  list("File1")->setCurrentRow(1);
  EXPECT_TRUE(ranDuringRead);
  EXPECT_EQ(selected("File1"), 1);
  EXPECT_EQ(nameCaption(), "Name: Bram");
  EXPECT_EQ(selected("List1"), 6);
  EXPECT_EQ(lines("List2"), (Lines{"Ada", "Bram", "Cy"}));
  // Afterwards the lists answer again.
  click("File1", 2);
  EXPECT_EQ(nameCaption(), "Name: Cy");
}

TEST_F(InputDuringReads, OpeningAnotherFolderDuringThePassStartsAfreshThere) {
  const auto big = folder() / "big";
  for (int i = 0; i < 5; ++i) writeSim("big/User" + std::to_string(i), "Big" + std::to_string(i));
  writeSim("big/small/UserS", "Small");
  open();
  atEventTurn([this] {
    // The user double-clicks "small", the last folder listed inside "big".
    doubleClick("Dir1", list("Dir1")->count() - 1);
  });
  control<FolderList>("Dir1")->setPath(big);
  EXPECT_TRUE(ranDuringRead);
  EXPECT_EQ(control<FolderList>("Dir1")->path(), big / "small");
  EXPECT_EQ(control<FileList>("File1")->path(), big / "small");
  EXPECT_EQ(lines("List2"), Lines{"Small"});
  EXPECT_EQ(nameCaption(), "Name: Small");
  EXPECT_EQ(window().state().RosterPass, "1");
}

TEST_F(InputDuringReads, AnEmptyFolderOpenedDuringAReadLeavesNoSimOnView) {
  std::filesystem::create_directory(folder() / "empty");
  writeSim("UserA", "Ada");
  // Many chunks, so that the read grants many event turns.
  CharacterFile slow = SimWithPictures("Bram", "Builds boats");
  for (int i = 0; i < 300; ++i) slow.add({"OBJD", 1, 0, "filler", "x"_b, {}, {}});
  slow.write(folder() / "UserB");
  open();
  atEventTurn([this] { doubleClick("Dir1", list("Dir1")->count() - 1); });
  list("File1")->setCurrentRow(1);
  EXPECT_TRUE(ranDuringRead);
  EXPECT_EQ(control<FileList>("File1")->path(), folder() / "empty");
  EXPECT_TRUE(lines("List2").empty());
  EXPECT_EQ(nameCaption(), "Name: ");
  EXPECT_EQ(description(), "");
  EXPECT_TRUE(picture().isNull());
  EXPECT_EQ(window().state().RosterPass, "1");
}

}  // namespace
}  // namespace quill::test
