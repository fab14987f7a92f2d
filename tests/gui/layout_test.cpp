#include <QAbstractButton>
#include <QFontMetrics>

#include "viewer_fixture.h"
#include "window/focus_ring.h"

namespace quill::test {
namespace {

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

TEST_F(Layout, ButtonsOpenTheTwoPagesAndCloseEnds) {
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
}

TEST_F(Layout, TheIconDrawsEverySizeAsFromAllItsFilesAtOnce) {
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
