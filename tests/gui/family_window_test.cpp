// Family exports opened in the family window: on the command line, by name or by a drop, each
// member's row and card, and what a damaged export or another file gives.
#include <QApplication>
#include <QMenu>
#include <QMimeData>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>

#include "family_export_builder.h"
#include "neighbourhood_builder.h"
#include "viewer_fixture.h"
#include "window/family_window.h"
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
  void drop(const fs::path& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path.string()))});
    QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window(), &enter);
    QDropEvent dropped({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window(), &dropped);
  }
};

TEST_F(FamilyWindowTest, ShowsTheFamilyItsMembersAndEachCardWithLooks) {
  open(folder() / "Export" / "Pemberton.FAM");
  ASSERT_NE(window().familyWindow(), nullptr);
  EXPECT_TRUE(window().familyWindow()->isVisible());
  EXPECT_EQ(nameCaption(), "Name: Ada");  // the main window opened on the Sims all the same
  const Lines pembertons = {"Harriet|Runs the village surgery and never forgets a birthday.",
                            "Clement|Keeps the lawn at regulation height.", "Wren|Collects snails.",
                            "Biscuit|Good boy."};
  // The export, its problem line, and whether the dog's card shows looks.
  const std::tuple<fs::path, std::string, bool> cases[] = {
      {"Export/Pemberton.FAM", "-", true},
      {"Import/Pemberton (old).FAM", "-", true},
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
      // A card says what is missing in the export's words, not a neighbourhood file's.
      EXPECT_EQ(text(card, "SimCardMissing"), problem);
    }
  }
  toldUser.clear();
  EXPECT_FALSE(window().openPath(folder() / "Import" / "Ada.FAM"));
  ASSERT_EQ(toldUser.size(), 1u);
  EXPECT_EQ(toldUser[0], "Cannot open the file \"" + (folder() / "Import" / "Ada.FAM").string() +
                             "\": it is not a readable family export.");
}

TEST_F(FamilyWindowTest, TheNeighbourhoodsMenuOffersTheFamiliesSentAwayAndReceived) {
  const fs::path userData = folder() / "game" / "UserData";
  testdata::WriteSavedGame(folder() / "game");
  testdata::WriteSampleFamilies(userData / "Export", userData / "Import");
  write("game/UserData/Import/Notes.txt", "x");
  open(userData / "Characters");
  QStringList offered;
  QTimer::singleShot(0, [&offered] {
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    auto* menu = popup->findChild<QMenu*>(QStringLiteral("Neighbourhoods"));
    for (const QAction* action : menu->actions()) offered << action->text();
    menu->actions().back()->trigger();
    popup->close();
  });
  emit control<FolderList>("Dir1")->customContextMenuRequested({5, 5});
  QCoreApplication::processEvents();
  EXPECT_EQ(offered, (QStringList{"UserData: Thornbury", "UserData2: Okonkwo, Quillfeather",
                                  "Families to look inside", "Export: Pemberton.FAM",
                                  "Import: Damaged.FAM", "Import: Pemberton (old).FAM"}));
  ASSERT_NE(window().familyWindow(), nullptr);
  EXPECT_EQ(window().familyWindow()->windowTitle(), "Pemberton – Pemberton (old).FAM");
}

}  // namespace
}  // namespace quill::test
