// SPDX-License-Identifier: GPL-3.0-or-later
// Family exports in the family window (opened by name or drop, each member's row and card, damaged
// exports and other files); the Sim card, following the chosen Sim; the Neighbourhoods menu.
#include <QScreen>
#include <QScrollArea>
#include <QTableWidget>

#include "family_export_builder.h"
#include "game_folder_builder.h"
#include "neighbourhood_builder.h"
#include "viewer_fixture.h"
#include "window/family_window.h"
#include "window/focus_ring.h"
#include "window/sim_card.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

class FamilyWindowTest : public Viewer {
 protected:
  void SetUp() override {
    writeSim("UserA", "Ada");
    testdata::WriteSampleFamilies(folder() / "Export", folder() / "Import");
    write("Import/Ada.FAM", testdata::LookalikeCharacter("Ada", "Not a family.").build());
  }
  std::string text(QWidget* window, const char* name) const {
    auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
    return label == nullptr || label->isHidden() ? "-" : label->text().toStdString();
  }
  // "name|biography" per row.
  Lines rows() const {
    Lines found;
    const QTableWidget* table = window().familyWindow()->findChild<QTableWidget*>("FamilyMembers");
    for (int row = 0; row < table->rowCount(); ++row) {
      found.push_back(table->item(row, 1)->text().toStdString() + "|" +
                      table->item(row, 2)->text().toStdString());
    }
    return found;
  }
};

// Catches a family export opened at start-up that also puts up the main window (over a game that
// may hold no Sims), a main window that cannot be had from the family window, a family window
// alone whose closing leaves the program running unseen, and a damaged export's card that says
// what is missing in a neighbourhood file's words. (The old layout is read as the new one: the
// unit test of the export's reader.)
TEST_F(FamilyWindowTest, ShowsTheFamilyItsMembersAndEachCardAloneOrWithTheMainWindow) {
  open(folder() / "Export" / "Pemberton.FAM");
  ASSERT_NE(window().familyWindow(), nullptr);
  EXPECT_TRUE(window().familyWindow()->isVisible());
  EXPECT_FALSE(window().isVisible());
  auto* browse = window().familyWindow()->findChild<QPushButton*>("OpenMainWindow");
  ASSERT_TRUE(browse->isVisible());
  QTest::mouseClick(browse, Qt::LeftButton);
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(nameCaption(), "Name: Ada");
  EXPECT_FALSE(browse->isVisible());
  const Lines pembertons = {"Harriet|Runs the village surgery and never forgets a birthday.",
                            "Clement|Keeps the lawn at regulation height.", "Wren|Collects snails.",
                            "Biscuit|Good boy."};
  // The export, its problem line, and whether the dog's card shows looks.
  const std::tuple<fs::path, std::string, bool> cases[] = {
      {"Export/Pemberton.FAM", "-", true},
      {"Import/Damaged.FAM", "The family export is damaged; what follows the damage is missing.",
       false},
  };
  for (const auto& [path, problem, dogLooks] : cases) {
    SCOPED_TRACE(path.string());
    drop(folder() / path);
    FamilyWindow* family = window().familyWindow();
    EXPECT_EQ(text(family, "FamilyName"), "The Pemberton family");
    EXPECT_EQ(text(family, "FamilySummary"), "\u00a720,450 \u00b7 4 members");
    EXPECT_EQ(text(family, "FamilyProblem"), problem);
    EXPECT_EQ(rows(), pembertons);
    for (int member = 0; member < 4; ++member) {
      family->showMemberCard(member);
      SimCard* card = family->card();
      EXPECT_EQ(text(card, "SimCardName"), rows()[member].substr(0, rows()[member].find('|')));
      EXPECT_EQ(text(card, "SimCardFamily"), "The Pemberton family");
      EXPECT_EQ(card->findChild<QGroupBox*>("SimCardLooks") != nullptr, member < 3 || dogLooks);
      // Where no game folder is found the card says so, once.
      EXPECT_EQ(text(card, "SimCardLooksSummary").starts_with("No game folder"),
                member < 3 || dogLooks);
      EXPECT_EQ(text(card, "SimCardMissing"), problem);
    }
  }
  toldUser.clear();
  EXPECT_FALSE(window().openPath(folder() / "Import" / "Ada.FAM"));
  ASSERT_EQ(toldUser.size(), 1u);
  EXPECT_EQ(toldUser[0], "Cannot open the file \"" + (folder() / "Import" / "Ada.FAM").string() +
                             "\": it is not a readable family export.");
  window().familyWindow()->close();
  EXPECT_EQ(endings, 0);
  open(folder() / "Export" / "Pemberton.FAM");
  window().familyWindow()->close();
  EXPECT_EQ(endings, 1);
}

// Catches rows sized before their columns are (each as tall as a wrapped biography, so that two
// of four members show), keys that do not open a member's card, and a card that stays on the
// member it opened on; then the house-only export said to have "0 members", and the house's
// pictures left out.
TEST_F(FamilyWindowTest, AFamilyOfEightFitsTheScreenTheKeysOpenTheCardsAndAHouseAloneIsShown) {
  testdata::ExportSpec eight = testdata::FamilyOfFour();
  for (int copy = 0; copy < 4; ++copy) {
    testdata::MemberSpec cousin = eight.members[static_cast<std::size_t>(copy)];
    cousin.record.neighbourId = static_cast<std::int16_t>(cousin.record.neighbourId + 10);
    cousin.record.guid += 10;
    cousin.record.name += " the younger";
    eight.members.push_back(cousin);
  }
  testdata::FamilyExportFile(eight).write(folder() / "Eight.FAM");
  open(folder() / "Eight.FAM");
  FamilyWindow* family = window().familyWindow();
  auto* table = family->findChild<QTableWidget*>("FamilyMembers");
  ASSERT_EQ(table->rowCount(), 8);
  EXPECT_LE(family->height(), family->screen()->availableGeometry().height());
  EXPECT_LE(table->visualRect(table->model()->index(7, 1)).bottom(), table->viewport()->height());

  family->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(family));
  EXPECT_EQ(family->findChild<FocusRing*>()->target(), table);
  // The key, and the card's Sim after it; the card is closed between Enter and Space (no key).
  const std::pair<Qt::Key, const char*> keys[] = {
      {Qt::Key_Return, "Harriet"}, {Qt::Key_Down, "Clement"},
      {Qt::Key_unknown, "-"},      {Qt::Key_Down, "-"},
      {Qt::Key_Space, "Wren"},     {Qt::Key_PageDown, "Biscuit the younger"}};
  for (const auto& [key, name] : keys) {
    if (key == Qt::Key_unknown) {
      family->card()->close();
    } else {
      QTest::keyClick(table, key);
    }
    const bool shown = family->card() != nullptr && family->card()->isVisible();
    EXPECT_EQ(shown ? text(family->card(), "SimCardName") : "-", name) << key;
  }

  testdata::ExportSpec house = testdata::FamilyOfFour();
  house.members.clear();
  house.house = {{{90, 140, 200}, {40, 160, 60}}};
  testdata::FamilyExportFile(house).write(folder() / "House.FAM");
  open(folder() / "House.FAM");
  family = window().familyWindow();
  EXPECT_EQ(text(family, "FamilySummary"), "\u00a720,450");
  EXPECT_EQ(text(family, "FamilyNoSims"), "This export holds a house and no Sims");
  EXPECT_TRUE(family->findChild<QTableWidget*>("FamilyMembers")->isHidden());
  // The larger picture (BMP_ 1024, 128 x 96), at its own size: twice would not fit its room.
  const QImage shown = family->findChild<QLabel*>("FamilyHouse")->pixmap().toImage();
  EXPECT_EQ(shown.size(), QSize(128, 96));
  EXPECT_EQ(shown.pixel(10, 10), qRgb(40, 160, 60));
}

// Catches a thumbnail kept enlarged at twice a size the export only claims (a 1024 x 1024
// thumbnail kept at 2048 x 2048, for each of a hundred members).
TEST(FamilyThumbnails, AreKeptAtTheSizeTheyAreShown) {
  FamilyExport family;
  // The thumbnail's size, and the size kept for its row.
  const std::pair<QSize, QSize> sizes[] = {
      {{1024, 1024}, {50, 50}}, {{25, 25}, {50, 50}}, {{10, 20}, {20, 40}}, {{100, 50}, {50, 25}}};
  for (const auto& [size, kept] : sizes) {
    FamilyMember member;
    member.name = "Sim";
    member.thumbnail = testdata::Bitmap(size.width(), size.height(), testdata::Rgb{9, 9, 9});
    family.members.push_back(member);
  }
  const PictureDialogs dialogs;
  FamilyWindow window(dialogs, nullptr);
  window.showFamily("Big.FAM", std::move(family));
  auto* table = window.findChild<QTableWidget*>("FamilyMembers");
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(table->item(row, 0)->icon().availableSizes(), QList<QSize>{sizes[row].second}) << row;
  }
}

// Catches the neighbourhood on view left unmarked, a switch that keeps the old roster, and the
// families sent away and received left out or opened in place of the one chosen.
TEST_F(FamilyWindowTest, TheNeighbourhoodsMenuSwitchesNeighbourhoodsAndOpensTheirFamilies) {
  const fs::path userData = folder() / "game" / "UserData";
  testdata::WriteSavedGame(folder() / "game");
  testdata::WriteSampleFamilies(userData / "Export", userData / "Import");
  write("game/UserData/Import/Notes.txt", "x");
  open(userData / "Characters");
  QStringList offered;
  withNeighbourhoodsMenu([&offered](QMenu* menu) {
    for (const QAction* action : menu->actions())
      offered << action->text() + (action->isChecked() ? "*" : "");
    menu->actions().back()->trigger();
  });
  EXPECT_EQ(offered, (QStringList{"UserData: Thornbury*", "UserData2: Okonkwo, Quillfeather",
                                  "Families to look inside", "Export: Pemberton.FAM",
                                  "Import: Damaged.FAM", "Import: Pemberton (old).FAM"}));
  ASSERT_NE(window().familyWindow(), nullptr);
  EXPECT_EQ(window().familyWindow()->windowTitle(), "Pemberton – Pemberton (old).FAM");
  withNeighbourhoodsMenu([](QMenu* menu) { menu->actions().at(1)->trigger(); });
  EXPECT_EQ(lines("List2"), (Lines{"Celeste Okonkwo", "Felix Okonkwo", "Esme Quillfeather"}));
}

// Catches a card whose smallest size is all of its content (744 pixels high on a desktop, taller
// than a 768-pixel screen once the window's frame and the taskbar are counted): it scrolls.
// The looks say what the skins check found, the summary above each part's files and problems;
// catches a card that checks the Sim shown before, or shows a part's problem under another part.
TEST_F(Viewer, SimCardOpensOnADoubleClickedNameFitsTheScreenAndFollowsTheChosenSim) {
  testdata::WriteSavedGame(folder() / "game");
  testdata::WriteSampleGameFolder(folder() / "game");
  services.gameFolder = [this](const std::filesystem::path&) {
    return std::optional(folder() / "game");
  };
  open(folder() / "game" / "UserData" / "Characters");
  const auto card = [this] { return window().findChild<SimCard*>(); };
  // The texts of the card's labels, in the order they are laid out.
  const auto texts = [&card] {
    std::string all;
    for (const QLabel* label : card()->findChildren<QLabel*>())
      if (!label->text().isEmpty()) all += label->text().toStdString() + "|";
    return all;
  };
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
       "\u00a720,500 \u00b7 house 3 \u00b7 1 family friend|\u2713 looks right in the game|"
       "b001fafit_01 \u00b7 b001fafitlgt_01\n\u2713 suit GameData/Skins/b001fafit_01.cmx\n"
       "\u2713 mesh GameData/Skins/xskin-b001fafit_01-PELVIS-BODY.bmf\n"
       "\u2713 texture GameData/Skins/b001fafitlgt_01.bmp|"},
      {1,
       "\u2717 would be headless: `GameData/Skins/Bram/xskin-c002ma_bram-HEAD-HEAD.bmf` lies in a "
       "folder the game does not read: move it to `GameData/Skins`|"},
      {1,
       "c002ma_bram \u00b7 c002mamed_bram\n\u2713 suit GameData/Skins/c002ma_bram.cmx\n"
       "\u2713 texture GameData/Skins/c002mamed_bram.bmp|\u2717 "
       "`GameData/Skins/Bram/xskin-c002ma_bram-HEAD-HEAD.bmf` lies in a folder the game does not "
       "read: move it to `GameData/Skins`|"},
      // A kid's grade has no job performance; a pet has no career at all. Biscuit cannot be drawn
      // as the game would show him, so his card gives the reason under his portrait.
      {2, "School, grade B+|"},
      {3,
       "Biscuit|The Thornbury family|Dog, male|would be invisible: "
       "`GameData/Skins/xskin-uaa012dog_brown-PELVIS-DOGBODY.skn` names a file on its first or "
       "second line: the game draws this part invisible|Quiet|1|"
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
