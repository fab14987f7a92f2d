// SPDX-License-Identifier: GPL-3.0-or-later
// What Picture1 offers beside showing a portrait: copying it (its menu, or Ctrl+C while it has
// the focus), saving it, opening the picture sheet (its menu, or a double-click) and the Sim
// card (its menu).
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <functional>

class QLabel;

namespace quill {

struct PictureDialogs;

class PictureBoxActions : public QObject {
  Q_OBJECT

 public:
  // `simName` gives the name of the Sim shown, for the menu.
  PictureBoxActions(QLabel& box, const PictureDialogs& dialogs, std::function<QString()> simName);

  // The picture as the file holds it, at its own size, and the name it is saved under.
  void setPicture(const QImage& picture, const QString& fileStem);

 signals:
  void showAllRequested();
  void aboutRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel& box_;
  const PictureDialogs& dialogs_;
  std::function<QString()> simName_;
  QImage picture_;
  QString fileStem_;
};

}  // namespace quill
