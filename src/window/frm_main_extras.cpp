// SPDX-License-Identifier: GPL-3.0-or-later
// What the window offers a player beside the events of its controls.
#include <QLabel>

#include "window/file_list.h"
#include "window/focus_ring.h"
#include "window/folder_list.h"
#include "window/frm_main.h"
#include "window/list_manners.h"
#include "window/picture_box.h"
#include "window/picture_sheet.h"
#include "window/selection_list.h"

namespace quill {

void FrmMain::addPlayerAids() {
  pictureBox_ = new PictureBoxActions(*picture1_, pictureDialogs_, [this] { return simName(); });
  connect(pictureBox_, &PictureBoxActions::showAllRequested, this, &FrmMain::showPictureSheet);
  connect(pictureBox_, &PictureBoxActions::aboutRequested, this, &FrmMain::showSimCard);
  connect(list2_, &QListWidget::itemDoubleClicked, this, &FrmMain::showSimCard);
  dir1_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(dir1_, &QWidget::customContextMenuRequested, this, &FrmMain::offerNeighbourhoods);
  for (SelectionList* list :
       {static_cast<SelectionList*>(list2_), static_cast<SelectionList*>(file1_)}) {
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this,
            [this, list](const QPoint& at) { offerSimCard(*list, at); });
  }
  for (QAbstractItemView* list :
       std::initializer_list<QAbstractItemView*>{dir1_, file1_, list1_, list2_})
    ShowWholeTextOfCutOffLines(*list);
  new FocusRing(*this);
}

void FrmMain::showPictureSheet() {
  // Mid-read the chunk table holds part of another file: the request is let go.
  if (busy()) return;
  if (pictureSheet_ == nullptr) pictureSheet_ = new PictureSheet(pictureDialogs_, this);
  pictureSheet_->showPictures(simName(), PictureChunksOf(state_.ChunkTable, list1_->count()));
  pictureSheet_->show();
  pictureSheet_->raise();
  pictureSheet_->activateWindow();
}

void FrmMain::followInPictureSheet() {
  if (pictureSheet_ == nullptr || !pictureSheet_->isVisible()) return;
  pictureSheet_->showPictures(simName(), PictureChunksOf(state_.ChunkTable, list1_->count()));
}

}  // namespace quill
