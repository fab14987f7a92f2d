// What Picture1 offers beside showing a portrait: copying it (its menu, or Ctrl+C while it has
// the focus), saving it, and opening the picture sheet (its menu, or a double-click).
#pragma once

#include <QImage>
#include <QObject>
#include <QString>

class QLabel;

namespace quill {

struct PictureDialogs;

class PictureBoxActions : public QObject {
  Q_OBJECT

 public:
  PictureBoxActions(QLabel& box, const PictureDialogs& dialogs);

  // The picture as the file holds it, at its own size, and the name it is saved under.
  void setPicture(const QImage& picture, const QString& fileStem);

 signals:
  void showAllRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel& box_;
  const PictureDialogs& dialogs_;
  QImage picture_;
  QString fileStem_;
};

}  // namespace quill
