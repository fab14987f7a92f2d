// The neighbourhood beside the open folder: the Sim card, and the menu that switches between
// the neighbourhoods of one game.
#include <QMenu>
#include <unordered_map>

#include "chunkfile/sim_guid.h"
#include "inspect/body_strings.h"
#include "inspect/family_export.h"
#include "platform/picture.h"
#include "window/file_list.h"
#include "window/folder_list.h"
#include "window/frm_main.h"
#include "window/picture_sheet.h"
#include "window/selection_list.h"
#include "window/sim_card.h"

namespace quill {

namespace {

// The card's portrait: the large speech picture, else the first picture the file holds that
// decodes. Only the picture shown is decoded, within the picture loader's bounds.
QImage Portrait(const std::vector<PictureChunk>& chunks) {
  for (const PictureChunk& chunk : chunks) {
    if (chunk.label.compare(QStringLiteral("speech_large"), Qt::CaseInsensitive) == 0) {
      if (std::optional<QImage> picture = platform::DecodePicture(chunk.body)) return *picture;
    }
  }
  for (const PictureChunk& chunk : chunks) {
    if (std::optional<QImage> picture = platform::DecodePicture(chunk.body)) return *picture;
  }
  return {};
}

}  // namespace

void FrmMain::showSimCard() {
  // Mid-read the chunk table holds part of another file: the request is let go.
  if (busy()) return;
  if (simCard_ == nullptr) simCard_ = new SimCard(this);
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
  std::unordered_map<std::uint32_t, std::string> names;
  for (std::size_t k = 0; k < state_.RosterGuids.size(); ++k) {
    if (state_.RosterGuids[k] && static_cast<int>(k) < list2_->count()) {
      names.emplace(*state_.RosterGuids[k],
                    list2_->item(static_cast<int>(k))->text().toStdString());
    }
  }
  const NameOfSim nameOf = [&names](std::uint32_t guid) -> std::optional<std::string> {
    const auto found = names.find(guid);
    if (found == names.end()) return std::nullopt;
    return found->second;
  };
  const int rows = list1_->count();
  const Neighbourhood& hood = neighbourhoods_.of(dir1_->path(), language_.slot());
  simCard_->showSim(simName(), Portrait(PictureChunksOf(state_.ChunkTable, rows)),
                    ProfileOf(hood, SimGuid(state_.ChunkTable, rows), nameOf),
                    BodyLooksOf(state_.FileImage));
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
  const std::vector<std::filesystem::path> folders = NeighbourhoodFolders(dir1_->path());
  if (folders.empty()) return;
  QMenu menu(dir1_);
  QMenu* list = menu.addMenu(QStringLiteral("Neighbourhoods"));
  list->setObjectName(QStringLiteral("Neighbourhoods"));
  for (const std::filesystem::path& folder : folders) {
    QString label = QString::fromStdString(
        NeighbourhoodLabel(folder, neighbourhoods_.of(folder, language_.slot())));
    QAction* open = list->addAction(label.replace(QLatin1Char('&'), QStringLiteral("&&")));
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
  const std::vector<std::filesystem::path> families = FamilyExportsBeside(dir1_->path());
  if (!families.empty()) list->addSection(QStringLiteral("Families to look inside"));
  for (const std::filesystem::path& file : families) {
    QString label = QString::fromStdString(platform::DisplayName(file.parent_path().filename()) +
                                           ": " + platform::DisplayName(file.filename()));
    QAction* open = list->addAction(label.replace(QLatin1Char('&'), QStringLiteral("&&")));
    connect(open, &QAction::triggered, this, [this, file] {
      QMetaObject::invokeMethod(
          this, [this, file] { openPath(file); }, Qt::QueuedConnection);
    });
  }
  menu.exec(dir1_->viewport()->mapToGlobal(at));
}

}  // namespace quill
