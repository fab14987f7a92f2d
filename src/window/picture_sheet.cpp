#include "window/picture_sheet.h"

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
#include "platform/picture.h"
#include "window/sharp_picture.h"

namespace quill {

namespace {

constexpr int kColumns = 2;
constexpr int kRows = 3;
const QSize kLargestRoom(480, 240);
const QSize kSmallestRoom(64, 64);

QImage PictureOf(const ChunkRecord& record) {
  try {
    const std::optional<QImage> picture = platform::DecodePicture(BitmapBody(record));
    return picture ? *picture : QImage();
  } catch (const ChunkFailure&) {
    return {};  // a size smaller than the chunk header: no picture
  }
}

}  // namespace

std::vector<NamedPicture> PicturesOfFile(const ChunkTable& table, int rows) {
  std::vector<NamedPicture> pictures;
  for (int row = 1; row <= std::min(rows, kLastChunkRow); ++row) {
    const ChunkRecord& record = table[row];
    if (record.ChunkType == "BMP_")
      pictures.push_back(
          {QString::fromStdString(Cp1252ToUtf8(record.ChunkLabel)), PictureOf(record)});
  }
  return pictures;
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
  connect(saveAll, &QPushButton::clicked, this,
          [this] { SaveAllPictures(this, sim_, pictures_, dialogs_); });
  layout->addWidget(saveAll, 0, Qt::AlignRight);
  new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
}

void PictureSheet::showPictures(const QString& sim, std::vector<NamedPicture> pictures) {
  const auto same = [](const NamedPicture& a, const NamedPicture& b) {
    return a.label == b.label && a.picture == b.picture;
  };
  if (scroll_->widget() != nullptr && sim == sim_ &&
      std::equal(pictures.begin(), pictures.end(), pictures_.begin(), pictures_.end(), same)) {
    return;
  }
  sim_ = sim;
  pictures_ = std::move(pictures);
  setWindowTitle(QStringLiteral("Pictures of ") + sim_);

  auto* sheet = new QWidget;
  auto* grid = new QGridLayout(sheet);
  const QSize space = room();
  int index = 0;
  for (const NamedPicture& named : pictures_) {
    grid->addWidget(cell(named, space), index / kColumns, index % kColumns,
                    Qt::AlignLeft | Qt::AlignTop);
    ++index;
  }
  if (pictures_.empty())
    grid->addWidget(new QLabel(QStringLiteral("This file holds no pictures.")));
  scroll_->setWidget(sheet);  // the previous sheet goes with it

  // Opened as large as the pictures need, as far as the screen allows; once open, the size is
  // the player's.
  if (isVisible()) return;
  const QSize wanted = sheet->sizeHint() + QSize(48, 64);
  const QSize screen = this->screen() ? this->screen()->availableGeometry().size() : wanted;
  resize(wanted.boundedTo(screen * 9 / 10));
}

QWidget* PictureSheet::cell(const NamedPicture& named, QSize room) {
  auto* cell = new QWidget;
  auto* layout = new QVBoxLayout(cell);
  layout->setContentsMargins(4, 4, 4, 12);
  layout->addWidget(new QLabel(named.label));
  auto* shown = new QLabel;
  shown->setObjectName(QStringLiteral("SheetPicture"));
  if (named.picture.isNull()) {
    shown->setText(QStringLiteral("(no picture)"));
  } else {
    const int zoom = ZoomToFit(named.picture.size(), room);
    shown->setPixmap(SharpPixmap(named.picture, named.picture.size() * zoom, devicePixelRatioF()));
    shown->setProperty("zoom", zoom);
    shown->setToolTip(QStringLiteral("%1 \u00d7 %2 pixels, shown %3\u00d7")
                          .arg(named.picture.width())
                          .arg(named.picture.height())
                          .arg(zoom));
    shown->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(shown, &QWidget::customContextMenuRequested, this,
            [this, shown, named](const QPoint& at) {
              QMenu menu(this);
              AddPictureActions(menu, this, named.picture, PictureFileStem(sim_, named.label),
                                dialogs_);
              menu.exec(shown->mapToGlobal(at));
            });
  }
  layout->addWidget(shown);
  return cell;
}

QSize PictureSheet::room() const {
  const QSize screen =
      this->screen() ? this->screen()->availableGeometry().size() : QSize(1024, 768);
  // Margins, the button and the window's frame take a little of the screen.
  const QSize share((screen.width() - 64) / kColumns, (screen.height() - 160) / kRows - 24);
  return share.boundedTo(kLargestRoom).expandedTo(kSmallestRoom);
}

}  // namespace quill
