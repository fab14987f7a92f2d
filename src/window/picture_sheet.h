// SPDX-License-Identifier: GPL-3.0-or-later
// The picture sheet: a window of its own with every picture of the loaded character file, each
// under its label, enlarged as far as the screen allows, to look at, copy and save.
#pragma once

#include <QTimer>
#include <QWidget>
#include <vector>

#include "chunkfile/chunk_table.h"
#include "window/picture_actions.h"
#include "window/sheet_pixels.h"

class QLabel;
class QScrollArea;

namespace quill {

// A "BMP_" chunk as the sheet takes it: its label and its body, a picture file.
struct PictureChunk {
  QString label;
  Bytes body;
  bool operator==(const PictureChunk&) const = default;
};

// Every "BMP_" chunk among the first `rows` rows.
std::vector<PictureChunk> PictureChunksOf(const ChunkTable& table, int rows);

class PictureSheet : public QWidget {
  Q_OBJECT

 public:
  PictureSheet(const PictureDialogs& dialogs, QWidget* owner);

  // Shows this Sim's pictures, titled "Pictures of <sim>". The cells are laid out at once from the
  // sizes the pictures state; the pictures are decoded a few in each event-loop turn, so that the
  // window stays responsive. The same chunks again change and decode nothing.
  void showPictures(const QString& sim, std::vector<PictureChunk> chunks);
  // The pictures decoded so far; a null picture where there is none to show (yet).
  const std::vector<NamedPicture>& pictures() const { return pictures_; }

 private:
  struct Cell {
    QLabel* shown = nullptr;
    bool pending = false;  // to be decoded
  };

  QWidget* plan(const PictureChunk& chunk, Cell& cell);
  void decodeNext();
  void decodeForATurn();
  void decodeRest();
  void offerActions(QLabel* shown, const NamedPicture& named);
  // The space one picture may take: two columns, three rows of the screen, within reason.
  QSize room() const;

  const PictureDialogs& dialogs_;
  QString sim_;
  std::vector<PictureChunk> chunks_;
  std::vector<NamedPicture> pictures_;
  std::vector<Cell> cells_;
  std::size_t next_ = 0;  // the next cell to decode
  SheetPixels pixels_{{}, 1};
  QTimer decoder_;
  QScrollArea* scroll_ = nullptr;
};

}  // namespace quill
