// SPDX-License-Identifier: GPL-3.0-or-later
// The neighbourhood beside the open folder: the Sim card, and the menu that switches between
// the neighbourhoods of one game.
#include <QMenu>
#include <QScreen>
#include <algorithm>
#include <unordered_map>

#include "chunkfile/sim_guid.h"
#include "inspect/body_strings.h"
#include "inspect/family_export.h"
#include "inspect/family_names.h"
#include "inspect/roster_entry.h"
#include "inspect/stored_portrait.h"
#include "platform/picture.h"
#include "window/file_list.h"
#include "window/folder_list.h"
#include "window/frm_main.h"
#include "window/selection_list.h"
#include "window/sim_card.h"

namespace quill {

namespace {

// What a menu line takes beyond its text, in pixels, at the least.
constexpr int kMenuLinePadding = 6;
constexpr int kFewestMenuLines = 8;

// The families' names read for each neighbourhood: three are shown, a fourth says there are more.
constexpr std::size_t kFamilyNamesInLabel = 4;
// A menu entry's widest, in average characters; a longer one is cut, and whole in its tooltip.
constexpr int kWidestMenuEntry = 60;

// How many entries a menu beside `widget` shows without scrolling.
int MenuLinesThatFit(const QWidget& widget) {
  const QScreen* screen = widget.screen();
  const int line = widget.fontMetrics().height() + kMenuLinePadding;
  return screen == nullptr
             ? kFewestMenuLines
             : std::max(screen->availableGeometry().height() / line - 2, kFewestMenuLines);
}

QAction* AddMenuEntry(QMenu& menu, const QString& text) {
  const QFontMetrics metrics = menu.fontMetrics();
  const QString shown =
      metrics.elidedText(text, Qt::ElideRight, metrics.averageCharWidth() * kWidestMenuEntry);
  QAction* entry = menu.addAction(QString(shown).replace(QLatin1Char('&'), QStringLiteral("&&")));
  if (shown != text) entry->setToolTip(text);
  return entry;
}

}  // namespace

void FrmMain::showSimCard() {
  // Mid-read the chunk table holds part of another file: the request is let go.
  if (busy()) return;
  if (simCard_ == nullptr) simCard_ = new SimCard(pictureDialogs_, this);
  fillSimCard();
  simCard_->show();
  simCard_->raise();
  simCard_->activateWindow();
}

void FrmMain::followInSimCard() {
  if (simCard_ != nullptr && simCard_->isVisible()) fillSimCard();
}

void FrmMain::fillSimCard() {
  // Friends and family members are named as the roster names them.
  const NameOfSim nameOf = [this](std::uint32_t guid) -> std::optional<std::string> {
    const auto found = state_.RosterNames.find(guid);
    if (found == state_.RosterNames.end()) return std::nullopt;
    return found->second;
  };
  const int rows = list1_->count();
  const Neighbourhood& hood = neighbourhoods_.of(dir1_->path(), language_.slot());
  std::optional<BodyLooks> looks = BodyLooksOf(state_.FileImage);
  LooksVerdict verdict;
  if (looks) verdict = checkLooks(*looks, dir1_->path());
  simCard_->showSim(simName(), StoredPortrait(state_.FileImage),
                    ProfileOf(hood, SimGuid(state_.ChunkTable, rows), nameOf, std::move(looks)),
                    verdict);
}

LooksVerdict FrmMain::checkLooks(const BodyLooks& looks, const std::filesystem::path& folder) {
  content::SkinsCheck* skins = gameSkins_.ForSimsIn(folder);
  if (skins == nullptr) {
    const std::string searched =
        services_.searchedGamePlaces ? services_.searchedGamePlaces() : std::string();
    return {std::nullopt, content::NoGameFolderText(searched), {}};
  }
  // Each outfit is dressed when it is first shown, from the skins as they are then: the index
  // may have been made anew for another card since.
  auto dress = [this, looks, folder](int outfit) {
    content::SkinsCheck* now = gameSkins_.ForSimsIn(folder);
    return now != nullptr ? render::DressSim(*now, looks, outfit) : render::DressedSim{};
  };
  return {skins->Check(looks), {}, std::move(dress)};
}

void FrmMain::offerSimCard(QListWidget& list, const QPoint& at) {
  const QListWidgetItem* item = list.itemAt(at);
  if (busy() || item == nullptr) return;
  const int row = list.row(item);
  const QString name = row < list2_->count() ? list2_->item(row)->text() : item->text();
  QMenu menu(&list);
  QString text = QString::fromUtf8(kAboutSim).arg(name);
  QAction* about = menu.addAction(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
  if (menu.exec(list.viewport()->mapToGlobal(at)) != about || busy()) return;
  if (&list == list2_) {
    list2_->setSelectedIndex(row);
  } else {
    file1_->setSelectedIndex(row);
  }
  showSimCard();
}

void FrmMain::offerNeighbourhoods(const QPoint& at) {
  if (busy()) return;
  // At most a screenful of entries, neighbourhoods and families together; each neighbourhood's
  // families' names are read for the menu alone and go with it.
  const int fit = MenuLinesThatFit(*dir1_);
  const std::vector<std::filesystem::path> folders =
      NeighbourhoodFolders(dir1_->path(), static_cast<std::size_t>(fit / 2));
  if (folders.empty()) return;
  QMenu menu(dir1_);
  QMenu* list = menu.addMenu(QStringLiteral("Neighbourhoods"));
  list->setObjectName(QStringLiteral("Neighbourhoods"));
  list->setToolTipsVisible(true);
  for (const std::filesystem::path& folder : folders) {
    const std::optional<std::filesystem::path> file = NeighbourhoodFileOf(folder);
    const std::vector<std::string> names =
        file ? ReadFamilyNames(*file, language_.slot(), kFamilyNamesInLabel)
             : std::vector<std::string>();
    QAction* open = AddMenuEntry(*list, QString::fromStdString(NeighbourhoodLabel(folder, names)));
    open->setCheckable(true);
    open->setChecked(folder == dir1_->path());
    // Opened once the menu has closed, as a double-click in Dir1 opens a folder.
    connect(open, &QAction::triggered, this, [this, folder] {
      QMetaObject::invokeMethod(
          this,
          [this, folder] {
            if (!busy()) dir1_->setPath(folder);
          },
          Qt::QueuedConnection);
    });
  }
  // The families this neighbourhood sent away or received, each opened in the family window.
  std::vector<std::filesystem::path> families = FamilyExportsBeside(dir1_->path());
  // The section's heading takes a line too.
  const int used = static_cast<int>(list->actions().size()) + 1;
  const std::size_t room = static_cast<std::size_t>(std::max(fit - used, 0));
  if (families.size() > room) families.resize(room);
  if (!families.empty()) list->addSection(QStringLiteral("Families to look inside"));
  for (const std::filesystem::path& file : families) {
    QAction* open =
        AddMenuEntry(*list, QString::fromStdString(ShownFileName(file.parent_path().filename()) +
                                                   ": " + ShownFileName(file.filename())));
    connect(open, &QAction::triggered, this, [this, file] {
      QMetaObject::invokeMethod(
          this, [this, file] { openPath(file); }, Qt::QueuedConnection);
    });
  }
  menu.exec(dir1_->viewport()->mapToGlobal(at));
}

}  // namespace quill
