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
  pictureBox_ = new PictureBoxActions(*picture1_, pictureDialogs_);
  connect(pictureBox_, &PictureBoxActions::showAllRequested, this, &FrmMain::showPictureSheet);
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
