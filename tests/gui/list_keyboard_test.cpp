// The lists as a player uses them: typing, Enter, double-clicks, moving between folders, tooltips.
#include <QHelpEvent>
#include <QProxyStyle>
#include <QTest>
#include <QToolTip>

#include "viewer_fixture.h"

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

TEST_F(Lists, TypingFindsAFolderAndOnlyEnterOrADoubleClickOpensIt) {
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

TEST_F(Lists, AVanishedFolderKeepsTheCurrentOneAndDropsFromTheList) {
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

}  // namespace
}  // namespace quill::test
