// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/picture_sheet.h"

#include <QElapsedTimer>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

#include "chunkfile/chunk_walk.h"
#include "inspect/bitmap_chunk.h"
#include "window/sharp_picture.h"

namespace quill {

namespace {

constexpr int kColumns = 2;
constexpr int kRows = 3;
const QSize kLargestRoom(480, 240);
const QSize kSmallestRoom(64, 64);
// How long decoding may keep the window from its events at a time.
constexpr qint64 kDecodingMsPerTurn = 10;

Bytes PictureBytesOf(const ChunkRecord& record) {
  try {
    return BitmapBody(record);
  } catch (const ChunkFailure&) {
    return {};  // a size smaller than the chunk header: no picture
  }
}

void ShowText(QLabel& shown, const char* text) {
  shown.setMinimumSize(0, 0);
  shown.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  shown.setText(QString::fromUtf8(text));
}

}  // namespace

std::vector<PictureChunk> PictureChunksOf(const ChunkTable& table, int rows) {
  std::vector<PictureChunk> chunks;
  for (int row = 1; row <= std::min(rows, kLastChunkRow); ++row) {
    const ChunkRecord& record = table[row];
    if (record.ChunkType == "BMP_")
      chunks.push_back(
          {QString::fromStdString(Cp1252ToUtf8(record.ChunkLabel)), PictureBytesOf(record)});
  }
  return chunks;
}

PictureSheet::PictureSheet(const PictureDialogs& dialogs, QWidget* owner)
    : QWidget(owner, Qt::Window), dialogs_(dialogs) {
  setObjectName(QStringLiteral("PictureSheet"));
  auto* layout = new QVBoxLayout(this);
  scroll_ = new QScrollArea(this);
  scroll_->setWidgetResizable(true);
  scroll_->setFrameShape(QFrame::NoFrame);
  layout->addWidget(scroll_);
  auto* saveAll = new QPushButton(QString::fromUtf8(kSaveAllPictures), this);
  saveAll->setObjectName(QStringLiteral("SaveAllPictures"));
  connect(saveAll, &QPushButton::clicked, this, [this] {
    decodeRest();
    SaveAllPictures(this, sim_, pictures_, dialogs_);
  });
  layout->addWidget(saveAll, 0, Qt::AlignRight);
  new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
  decoder_.setInterval(0);
  connect(&decoder_, &QTimer::timeout, this, &PictureSheet::decodeForATurn);
}

void PictureSheet::showPictures(const QString& sim, std::vector<PictureChunk> chunks) {
  if (scroll_->widget() != nullptr && sim == sim_ && chunks == chunks_) return;
  sim_ = sim;
  chunks_ = std::move(chunks);
  setWindowTitle(QStringLiteral("Pictures of ") + sim_);

  pictures_.assign(chunks_.size(), {});
  cells_.assign(chunks_.size(), {});
  next_ = 0;
  pixels_ = SheetPixels(room(), devicePixelRatioF());
  auto* sheet = new QWidget;
  auto* grid = new QGridLayout(sheet);
  for (std::size_t index = 0; index < chunks_.size(); ++index) {
    pictures_[index].label = chunks_[index].label;
    grid->addWidget(plan(chunks_[index], cells_[index]), static_cast<int>(index) / kColumns,
                    static_cast<int>(index) % kColumns, Qt::AlignLeft | Qt::AlignTop);
  }
  if (chunks_.empty()) grid->addWidget(new QLabel(QStringLiteral("This file holds no pictures.")));
  scroll_->setWidget(sheet);  // the previous sheet goes with it
  decoder_.start();

  // Opened as large as the pictures need, as far as the screen allows; once open, the size is
  // the player's.
  if (isVisible()) return;
  const QSize wanted = sheet->sizeHint() + QSize(48, 64);
  const QSize screen = this->screen() ? this->screen()->availableGeometry().size() : wanted;
  resize(wanted.boundedTo(screen * 9 / 10));
}

QWidget* PictureSheet::plan(const PictureChunk& chunk, Cell& cell) {
  auto* widget = new QWidget;
  auto* layout = new QVBoxLayout(widget);
  layout->setContentsMargins(4, 4, 4, 12);
  layout->addWidget(new QLabel(chunk.label));
  cell.shown = new QLabel;
  cell.shown->setObjectName(QStringLiteral("SheetPicture"));
  layout->addWidget(cell.shown);
  // Only the header is read here, so that the cells take their room at once.
  const std::optional<QSize> size = pixels_.plannedSize(chunk.body);
  if (!size) {
    ShowText(*cell.shown, kNoPicture);
    return widget;
  }
  cell.pending = true;
  cell.shown->setFixedSize(*size);
  return widget;
}

void PictureSheet::decodeNext() {
  while (next_ < cells_.size() && !cells_[next_].pending) ++next_;
  if (next_ == cells_.size()) {
    decoder_.stop();
    return;
  }
  const std::size_t index = next_++;
  QLabel& shown = *cells_[index].shown;
  const SheetPicture decoded = pixels_.decode(chunks_[index].body);
  if (decoded.picture.isNull()) return ShowText(shown, decoded.placeholder);
  const QImage& picture = decoded.picture;
  NamedPicture& named = pictures_[index];
  named.picture = picture;
  shown.setFixedSize(picture.size() * decoded.zoom);
  shown.setPixmap(SharpPixmap(picture, picture.size() * decoded.zoom, devicePixelRatioF()));
  shown.setProperty("zoom", decoded.zoom);
  shown.setToolTip(QStringLiteral("%1 \u00d7 %2 pixels, shown %3\u00d7")
                       .arg(picture.width())
                       .arg(picture.height())
                       .arg(decoded.zoom));
  offerActions(&shown, named);
}

void PictureSheet::decodeForATurn() {
  // Laying the sheet out again after each small picture would cost more than decoding it.
  QElapsedTimer turn;
  turn.start();
  do {
    decodeNext();
  } while (decoder_.isActive() && turn.elapsed() < kDecodingMsPerTurn);
}

void PictureSheet::decodeRest() {
  while (decoder_.isActive()) decodeNext();
}

void PictureSheet::offerActions(QLabel* shown, const NamedPicture& named) {
  shown->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(
      shown, &QWidget::customContextMenuRequested, this, [this, shown, named](const QPoint& at) {
        QMenu menu(this);
        AddPictureActions(menu, this, named.picture, PictureFileStem(sim_, named.label), dialogs_);
        menu.exec(shown->mapToGlobal(at));
      });
}

QSize PictureSheet::room() const {
  const QSize screen =
      this->screen() ? this->screen()->availableGeometry().size() : QSize(1024, 768);
  // Margins, the button and the window's frame take a little of the screen.
  const QSize share((screen.width() - 64) / kColumns, (screen.height() - 160) / kRows - 24);
  return share.boundedTo(kLargestRoom).expandedTo(kSmallestRoom);
}

}  // namespace quill
