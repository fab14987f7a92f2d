// The picture sheet: a window of its own with every picture of the loaded character file, each
// under its label, enlarged as far as the screen allows, to look at, copy and save.
#pragma once

#include <QWidget>
#include <vector>

#include "chunkfile/chunk_table.h"
#include "window/picture_actions.h"

class QScrollArea;

namespace quill {

// Every "BMP_" chunk among the first `rows` rows, decoded by the picture loader.
std::vector<NamedPicture> PicturesOfFile(const ChunkTable& table, int rows);

class PictureSheet : public QWidget {
  Q_OBJECT

 public:
  PictureSheet(const PictureDialogs& dialogs, QWidget* owner);

  // Shows this Sim's pictures, titled "Pictures of <sim>"; the same pictures again change nothing.
  void showPictures(const QString& sim, std::vector<NamedPicture> pictures);
  const std::vector<NamedPicture>& pictures() const { return pictures_; }

 private:
  QWidget* cell(const NamedPicture& named, QSize room);
  // The space one picture may take: two columns, three rows of the screen, within reason.
  QSize room() const;

  const PictureDialogs& dialogs_;
  QString sim_;
  std::vector<NamedPicture> pictures_;
  QScrollArea* scroll_ = nullptr;
};

}  // namespace quill
