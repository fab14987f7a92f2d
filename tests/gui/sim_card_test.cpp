// The Sim card: who the chosen Sim is, following the Sim chosen in the main window.
#include <QScreen>
#include <QScrollArea>

#include "neighbourhood_builder.h"
#include "viewer_fixture.h"
#include "window/sim_card.h"

namespace quill::test {
namespace {

class SimCardTest : public Viewer {
 protected:
  void SetUp() override {
    testdata::WriteSavedGame(folder() / "game");
    open(folder() / "game" / "UserData" / "Characters");
  }
  SimCard* card() const { return window().findChild<SimCard*>(); }
  // The texts of the card's labels, in the order they are laid out.
  std::string texts() const {
    std::string all;
    for (const QLabel* label : card()->findChildren<QLabel*>())
      if (!label->text().isEmpty()) all += label->text().toStdString() + "|";
    return all;
  }
};

// Catches a card whose smallest size is all of its content (744 pixels high on a desktop, taller
// than a 768-pixel screen once the window's frame and the taskbar are counted): it scrolls.
TEST_F(SimCardTest, OpensOnADoubleClickedNameFitsTheScreenAndFollowsTheChosenSim) {
  doubleClick("List2", 0);
  ASSERT_NE(card(), nullptr);
  EXPECT_TRUE(card()->isVisible());
  EXPECT_LE(card()->height(), card()->screen()->availableGeometry().height() - 64);
  EXPECT_LE(card()->minimumSizeHint().height(), 200);
  EXPECT_NE(card()->findChild<QScrollArea*>("SimCardScroll"), nullptr);
  EXPECT_EQ(card()->windowTitle(), "About Ada Thornbury");
  // The roster line, then what the card says of that Sim.
  const std::pair<int, std::string> sims[] = {
      {0,
       "Ada Thornbury|The Thornbury family|Human, female \u00b7 adult \u00b7 Virgo|Military, "
       "level 2 \u00b7 job performance 40|Neat|8|Outgoing|3|Active|6|Playful|3|Nice|4|Cooking|4|"
       "Mechanical|1|Charisma|0|Body|7|Logic|2|Creativity|9|Friends: Bram Thornbury, Gwendolyn "
       "Ash|Family: Ada Thornbury, Bram Thornbury, Pip Thornbury, Biscuit, Marmalade|Cash "
       "\u00a720,500 \u00b7 house 3 \u00b7 1 family friend|"},
      // A kid's grade has no job performance; a pet has no career at all.
      {2, "School, grade B+|"},
      {3,
       "Biscuit|The Thornbury family|Dog, male|Quiet|1|"
       "Friendly|9|Playful|8|Smart|3|Loyal|10|House Breaking|7|Tricks|3|Obedience|1|"},
      {4, "Hunting|6|"},
      {5, "Gwendolyn Ash|No family|Human, female \u00b7 adult \u00b7 Cancer|Science, level 5"},
      {6, "Dmitri Vale|The neighbourhood holds no record of this Sim.|"},
  };
  for (const auto& [row, shown] : sims) {
    click("List2", row);
    EXPECT_NE(texts().find(shown), std::string::npos) << texts();
  }
  card()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(card()));
  QTest::keyClick(card(), Qt::Key_Escape);
  EXPECT_FALSE(card()->isVisible());
}

TEST_F(SimCardTest, TheNeighbourhoodsMenuSwitchesBetweenTheGamesNeighbourhoods) {
  QStringList offered;
  withNeighbourhoodsMenu([&offered](QMenu* menu) {
    for (const QAction* action : menu->actions())
      offered << action->text() + (action->isChecked() ? "*" : "");
    menu->actions().at(1)->trigger();
  });
  EXPECT_EQ(offered, (QStringList{"UserData: Thornbury*", "UserData2: Okonkwo, Quillfeather"}));
  EXPECT_EQ(lines("List2"), (Lines{"Celeste Okonkwo", "Felix Okonkwo", "Esme Quillfeather"}));
}

// Catches a menu shown only under a folder named "UserData*", one with an entry for every one of
// many neighbourhoods (each read whole, taller than the screen), and a long entry cut without a
// tooltip that holds it whole.
TEST_F(Viewer, NeighbourhoodsMenuAppearsBesideAnyNeighbourhoodFileAndFitsTheScreen) {
  const std::string longName(200, 'w');
  for (int hood = 0; hood < 40; ++hood) {
    const auto place = folder() / ("Hood" + std::to_string(100 + hood));
    std::filesystem::create_directories(place / "Characters");
    testdata::NeighbourhoodFile({}, {{1, 0, 0, 0, 0, {}, hood == 0 ? longName : "Okafor", 9}})
        .write(place / "Neighborhood.iff");
  }
  open(folder() / "Hood100" / "Characters");
  QList<QAction*> offered;
  withNeighbourhoodsMenu([&offered](QMenu* menu) {
    offered = menu->actions();
    const QString full = "Hood100: " + QString(200, 'w');
    EXPECT_NE(offered.front()->text(), full);
    EXPECT_EQ(offered.front()->toolTip(), full);
    EXPECT_EQ(offered.at(1)->text(), "Hood101: Okafor");
  });
  auto* dir1 = control<FolderList>("Dir1");
  const int lines = window().screen()->availableGeometry().height() / dir1->fontMetrics().height();
  EXPECT_GE(offered.size(), 2);
  EXPECT_LT(offered.size(), lines);
}

}  // namespace
}  // namespace quill::test
