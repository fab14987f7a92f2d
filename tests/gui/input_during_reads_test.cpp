// What the window does with clicks, double-clicks and folder changes while it reads a file or
// builds the roster.
#include <QTest>
#include <QTimer>

#include "viewer_fixture.h"

namespace quill::test {
namespace {

using testdata::CharacterFile;
using testdata::operator""_b;

class InputDuringReads : public Viewer {
 protected:
  // Runs `act` at the first turn of the event loop that a read or search grants.
  void atEventTurn(std::function<void()> act) {
    QTimer::singleShot(0, &window(), [this, act] {
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
  EXPECT_EQ(nameCaption(), "Name: Small");
  // The pass is over: choosing the Sim again adds no roster line.
  click("File1", 0);
  EXPECT_EQ(lines("List2"), Lines{"Small"});
}

TEST_F(InputDuringReads, AnEmptyFolderOpenedDuringAReadLeavesNoSimOnView) {
  std::filesystem::create_directory(folder() / "empty");
  writeSim("UserA", "Ada");
  // The name first, then many chunks, so that the read grants many event turns.
  CharacterFile slow;
  slow.add({"CTSS", 2000, 0, "", testdata::NameAndDescription("Bram", "Builds boats"), {}, {}});
  for (int i = 0; i < 300; ++i) slow.add({"OBJD", 1, 0, "filler", "x"_b, {}, {}});
  slow.add(
      {"BMP_", 1, 0, "speech_large", testdata::Bitmap(4, 3, ColourOf("speech_large")), {}, {}});
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
  // The name read before the folder changed can still be inspected, and is no roster line.
  click("List1", 0);
  EXPECT_EQ(nameCaption(), "Name: Bram");
  EXPECT_TRUE(lines("List2").empty());
}

}  // namespace
}  // namespace quill::test
