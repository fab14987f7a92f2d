// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/picture_box.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

#include "window/picture_actions.h"
#include "window/sim_card.h"

namespace quill {

PictureBoxActions::PictureBoxActions(QLabel& box, const PictureDialogs& dialogs,
                                     std::function<QString()> simName)
    : QObject(&box), box_(box), dialogs_(dialogs), simName_(std::move(simName)) {
  box_.installEventFilter(this);
}

void PictureBoxActions::setPicture(const QImage& picture, const QString& fileStem) {
  picture_ = picture;
  fileStem_ = fileStem;
}

bool PictureBoxActions::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &box_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonDblClick:
      emit showAllRequested();
      return true;
    case QEvent::ContextMenu: {
      QMenu menu(&box_);
      menu.addAction(QString::fromUtf8(kShowAllPictures), this,
                     &PictureBoxActions::showAllRequested);
      QString about = QString::fromUtf8(kAboutSim).arg(simName_());
      menu.addAction(about.replace(QLatin1Char('&'), QStringLiteral("&&")), this,
                     &PictureBoxActions::aboutRequested);
      menu.addSeparator();
      AddPictureActions(menu, &box_, picture_, fileStem_, dialogs_);
      menu.exec(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    }
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        CopyPicture(picture_);
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace quill
