// SPDX-License-Identifier: GPL-3.0-or-later
// The lists as a player uses them: typing, Enter, double-clicks, moving between folders, tooltips,
// and clicks, double-clicks and folder changes while the window reads a file or builds the roster;
// the window's layout, tab order, buttons and icon.
#include <QAbstractButton>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QToolTip>

#include "viewer_fixture.h"
#include "window/focus_ring.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

// A desktop set to open items with a single click.
class SingleClickStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    if (hint == SH_ItemView_ActivateItemOnSingleClick) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

#ifdef _WIN32
// Windows file names cannot hold control characters; plain names take their places.
constexpr const char* kNewlineFolder = "new_line";
constexpr const char* kTabFile = "User_Tab";
#else
constexpr const char* kNewlineFolder = "new\nline";
constexpr const char* kTabFile = "User\tTab";
#endif

class Lists : public Viewer {
 protected:
  void SetUp() override {
    for (const char* name : {"alpha", "beta", "gamma", kNewlineFolder})
      fs::create_directory(folder() / name);
    fs::create_directory(folder() / std::string(80, 'w'));
    writeSim("UserA", "Ada");
    writeSim(kTabFile, "Tab");
    writeSim("sub/User1", "Sub");
    open();
  }
  int here() const { return row(QString::fromStdString(folder().filename().string())); }
  FolderList* dir1() const { return control<FolderList>("Dir1"); }
  int row(const QString& text) const {
    const auto found = dir1()->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? -1 : dir1()->row(found.first());
  }
  // The tooltip a player gets by resting the mouse on the line.
  QString toolTipOf(const char* listName, int line) {
    QListWidget* widget = list(listName);
    widget->scrollToItem(widget->item(line));
    const QPoint at = widget->visualItemRect(widget->item(line)).topLeft() + QPoint(4, 2);
    QHelpEvent help(QEvent::ToolTip, at, widget->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(widget->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  }
};

TEST_F(Lists, OnlyEnterOrADoubleClickOpensAFolderAndAVanishedOneDrops) {
  const int sub = row("sub");
  fs::remove_all(folder() / "sub");
  doubleClick("Dir1", sub);
  EXPECT_EQ(dir1()->path(), folder());
  EXPECT_EQ(lines("List2"), (Lines{"Tab", "Ada"}));
  EXPECT_EQ(row("sub"), -1);
  EXPECT_FALSE(dir1()->setPath(folder() / "never"));
  // Opening the folder already open changes nothing.
  click("List1", 0);
  const int chunk = selected("List1");
  doubleClick("Dir1", here());
  EXPECT_EQ(selected("List1"), chunk);
  EXPECT_NE(here(), -1);  // the text carries no indentation
  dir1()->setFocus();
  QTest::keyClicks(dir1(), "ga");
  EXPECT_EQ(dir1()->currentItem()->text(), "gamma");
  EXPECT_EQ(dir1()->path(), folder());
  QTest::keyClick(dir1(), Qt::Key_Return);
  EXPECT_EQ(control<FileList>("File1")->path(), folder() / "gamma");
  dir1()->setPath(folder());

  // A widget does not own its style: this one goes with the window, after the lists.
  auto* singleClick = new SingleClickStyle;
  singleClick->setParent(&window());
  dir1()->setStyle(singleClick);
  click("Dir1", row("beta"));
  EXPECT_EQ(dir1()->path(), folder());
  doubleClick("Dir1", row("beta"));
  EXPECT_EQ(dir1()->path(), folder() / "beta");
}

TEST_F(Lists, ControlCharactersShowAsMarksAndCutOffLinesAsTooltips) {
#ifndef _WIN32
  EXPECT_NE(row(QStringLiteral("new\u240Aline")), -1);
  EXPECT_EQ(lines("File1"), (Lines{"User\u2409Tab", "UserA"}));
#endif
  EXPECT_EQ(toolTipOf("Dir1", row("beta")), "");
  EXPECT_EQ(toolTipOf("List2", 0), "");
  const QString wide(80, QLatin1Char('w'));
  EXPECT_EQ(toolTipOf("Dir1", row(wide)), wide);
}

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

class Layout : public Viewer {
 protected:
  void SetUp() override {
    services.startupFolder = [](const std::string&) { return std::nullopt; };
    services.searchedPlaces = [] { return std::string("PLACES"); };
    open();
  }
};

TEST_F(Layout, CaptionsFitTheirControlsInsideTheWindow) {
  int captions = 0;
  for (QWidget* widget : window().findChildren<QWidget*>()) {
    QString caption;
    int room = widget->width();
    if (auto* box = qobject_cast<QGroupBox*>(widget)) caption = box->title();
    if (auto* label = qobject_cast<QLabel*>(widget)) caption = label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) caption = button->text();
    if (qobject_cast<QRadioButton*>(widget) != nullptr) room -= 22;  // the round indicator
    if (caption.isEmpty() || !widget->isVisibleTo(&window())) continue;
    ++captions;
    EXPECT_LE(QFontMetrics(widget->font()).horizontalAdvance(caption), room)
        << widget->objectName().toStdString();
    const QRect onWindow(widget->mapTo(&window(), QPoint(0, 0)), widget->size());
    EXPECT_TRUE(window().rect().contains(onWindow)) << widget->objectName().toStdString();
  }
  EXPECT_GE(captions, 15);
  // With no Sims found, the description says where the viewer looked and what to do; an image-type
  // option only moves the mark.
  for (const char* part : {"PLACES", "drop it on this window", "quillmere FOLDER"})
    EXPECT_NE(description().find(part), std::string::npos) << part;
  EXPECT_EQ(nameCaption(), "Name:");
  clickOption(2);
  EXPECT_TRUE(control<QRadioButton>("Option2")->isChecked());
  EXPECT_TRUE(picture().isNull());
}

// Tab visits the controls in their order, the six options being one stop as in any group of
// options, and the focus ring follows it around each.
TEST_F(Layout, TabVisitsTheControlsInTheirOrderInsideTheFocusRing) {
  window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
  const auto* ring = window().findChild<FocusRing*>();
  ASSERT_NE(ring, nullptr);
  control<QWidget>("Picture1")->setFocus();
  Lines visited;
  for (int press = 0; press < 11; ++press) {
    QWidget* focused = QApplication::focusWidget();
    const std::string name = focused->objectName().toStdString();
    visited.push_back(name.starts_with("Option") ? "an option" : name);
    EXPECT_TRUE(ring->target() == focused && ring->isVisible()) << name;
    EXPECT_EQ(ring->parentWidget(), focused->parentWidget()) << name;
    EXPECT_TRUE(ring->geometry().contains(focused->geometry())) << name;
    QTest::keyClick(focused, Qt::Key_Tab);
  }
  EXPECT_EQ(visited, (Lines{"Picture1", "Dir1", "File1", "List1", "List2", "Description",
                            "an option", "Command4", "Command2", "Command1", "Picture1"}));
}

TEST_F(Layout, ButtonsOpenTheTwoPagesCloseEndsAndTheIconDrawsEverySize) {
  control<QPushButton>("Command2")->click();
  control<QPushButton>("Command2")->click();
  control<QPushButton>("Command4")->click();
  EXPECT_EQ(openedPages, (Lines{"https://harrowfen.example/", "https://harrowfen.example/",
                                "https://tamblewick.example/"}));
  EXPECT_EQ(endings, 0);
  const auto scratch = window().scratchFolder();
  control<QPushButton>("Command1")->click();
  EXPECT_EQ(endings, 1);
  EXPECT_FALSE(std::filesystem::exists(scratch));
  QIcon allAtOnce;
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
    allAtOnce.addFile(QStringLiteral(":/icons/quillmere-%1.png").arg(size), QSize(size, size));
  const QIcon icon = window().windowIcon();
  EXPECT_EQ(icon.availableSizes(), allAtOnce.availableSizes());
  // Exact sizes, sizes between two files, and beyond the largest; normal and greyed.
  for (const int size : {16, 20, 23, 32, 40, 100, 256, 300}) {
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled})
      EXPECT_EQ(icon.pixmap(size, mode).toImage(), allAtOnce.pixmap(size, mode).toImage()) << size;
  }
}

}  // namespace
}  // namespace quill::test
