#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "viewer_fixture.h"

namespace quill::test {
namespace {

struct Placement {
  const char* name;
  const char* parent;
  const char* caption;  // nullptr: no caption to check
  int left, top, width, height;
};

// The form as designed, in twips.
const Placement kForm[] = {
    {"Frame2", "FrmMain", "Select A Sim:", 120, 120, 2775, 2775},
    {"Dir1", "Frame2", nullptr, 120, 240, 2535, 2340},
    {"Drive1", "Frame2", nullptr, 120, 240, 2535, 315},
    {"NameofSim", "FrmMain", nullptr, 3000, 120, 5415, 2775},
    {"Description", "NameofSim", nullptr, 120, 1080, 3015, 1575},
    {"Frame5", "NameofSim", "Image Type:", 3240, 240, 2055, 2535},
    {"Option1", "Frame5", "Show Faces", 120, 360, 1815, 255},
    {"Option2", "Frame5", "Show Rel. Image", 120, 720, 1815, 255},
    {"Option3", "Frame5", "Show Thumbnail", 120, 1080, 1815, 255},
    {"Option4", "Frame5", "Show Speech Med.", 120, 1440, 1815, 255},
    {"Option5", "Frame5", "Show Speech Large", 120, 1800, 1815, 255},
    {"Option6", "Frame5", "Show Web Image", 120, 2160, 1815, 255},
    {"Frame4", "FrmMain", "Sim Name:", 120, 3000, 2775, 2055},
    {"List2", "Frame4", nullptr, 120, 240, 2535, 1620},
    {"Frame1", "FrmMain", "File Name:", 3000, 3000, 2535, 2055},
    {"File1", "Frame1", nullptr, 120, 240, 2295, 1650},
    {"Frame3", "FrmMain", "Character Properties:", 5640, 3000, 2775, 2055},
    {"List1", "Frame3", nullptr, 120, 240, 2535, 1620},
    {"Frame6", "FrmMain", "About", 120, 5160, 8295, 1095},
    {"Command2", "Frame6", "Harrowfen", 120, 240, 2655, 255},
    {"Command4", "Frame6", "Tamblewick", 120, 480, 2655, 255},
    {"Command1", "Frame6", "Close", 120, 720, 2655, 255},
    {"Label8", "Frame6", nullptr, 3000, 240, 1455, 255},
    {"Label7", "Frame6", nullptr, 3000, 480, 1815, 255},
    {"Label6", "Frame6", nullptr, 5640, 240, 1815, 255},
    {"Label4", "Frame6", nullptr, 5640, 480, 1455, 255},
    {"Label5", "Frame6", nullptr, 5640, 720, 1815, 255},
};

QString CaptionOf(QWidget* widget) {
  if (auto* box = qobject_cast<QGroupBox*>(widget)) return box->title();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  return {};
}

class Layout : public Viewer {
 protected:
  void SetUp() override {
    services.startupFolder = [](const std::string&) {
      return std::optional<std::filesystem::path>();
    };
    open();
  }
};

TEST_F(Layout, EveryControlSitsWhereTheFormPutsIt) {
  EXPECT_EQ(window().objectName(), "FrmMain");
  EXPECT_EQ(window().windowTitle(), "Quillmere");
  EXPECT_EQ(window().size(), QSize(570, 426));
  for (const Placement& placed : kForm) {
    auto* widget = control<QWidget>(placed.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName(), placed.parent) << placed.name;
    EXPECT_EQ(widget->geometry(),
              QRect(placed.left / 15, placed.top / 15, placed.width / 15, placed.height / 15))
        << placed.name;
    if (placed.caption != nullptr) {
      EXPECT_EQ(CaptionOf(widget), placed.caption) << placed.name;
    }
    // Nothing reaches outside the window's client area.
    const QRect onWindow(widget->mapTo(&window(), QPoint(0, 0)), widget->size());
    EXPECT_TRUE(window().rect().contains(onWindow)) << placed.name;
  }
  // The about panel ends 135 twips above the bottom edge.
  EXPECT_EQ(window().height() - control<QWidget>("Frame6")->geometry().bottom() - 1, 9);
  EXPECT_FALSE(control<QWidget>("Drive1")->isVisibleTo(&window()));
}

TEST_F(Layout, CaptionsFitTheirControls) {
  for (const Placement& placed : kForm) {
    auto* widget = control<QWidget>(placed.name);
    const QString caption = CaptionOf(widget);
    if (caption.isEmpty()) continue;
    int room = widget->width();
    if (qobject_cast<QRadioButton*>(widget) != nullptr) room -= 22;  // the round indicator
    EXPECT_LE(QFontMetrics(widget->font()).horizontalAdvance(caption), room) << placed.name;
  }
  EXPECT_TRUE(control<QLabel>("Label8")->font().bold());
  EXPECT_TRUE(control<QLabel>("Label6")->font().bold());
  EXPECT_FALSE(control<QLabel>("Label4")->font().bold());
}

TEST_F(Layout, NavyWindowWithWhiteTextAndWhiteButtons) {
  EXPECT_EQ(window().palette().color(QPalette::Window), QColor(0, 0, 128));
  EXPECT_EQ(control<QWidget>("Frame5")->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_EQ(control<QPushButton>("Command1")->palette().color(QPalette::Button), QColor(Qt::white));
  EXPECT_FALSE(window().windowIcon().availableSizes().isEmpty());
}

TEST_F(Layout, TabFollowsTheFormsOrder) {
  const char* order[] = {"Picture1",    "Dir1",    "File1",    "List1",    "List2",
                         "Description", "Option5", "Command4", "Command2", "Command1"};
  QWidget* widget = control<QWidget>("Picture1");
  for (std::size_t i = 1; i < std::size(order); ++i) {
    QWidget* next = widget->nextInFocusChain();
    // Unchecked options and non-focusable widgets are passed over, as Tab does.
    auto passedOver = [](QWidget* candidate) {
      auto* option = qobject_cast<QRadioButton*>(candidate);
      return (candidate->focusPolicy() & Qt::TabFocus) == 0 ||
             !candidate->isVisibleTo(candidate->window()) ||
             (option != nullptr && !option->isChecked());
    };
    while (next != nullptr && next != widget && passedOver(next)) next = next->nextInFocusChain();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->objectName(), order[i]) << "after " << order[i - 1];
    widget = next;
  }
}

TEST_F(Layout, BeforeAnySimIsChosenTheSummaryShowsItsDesignTimeTexts) {
  EXPECT_EQ(description(), "Text1");
  EXPECT_EQ(nameCaption(), "Name:");
  EXPECT_TRUE(picture().isNull());
  EXPECT_TRUE(control<QRadioButton>("Option5")->isChecked());
}

}  // namespace
}  // namespace quill::test
