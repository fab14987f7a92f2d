// SPDX-License-Identifier: GPL-3.0-or-later
// The window's icon, each size read when it is first asked for: Windows draws its title bar and
// task switcher from two sizes, and decoding all eight up front cost more than building the
// window's controls.
#include <QIconEngine>
#include <QPainter>
#include <array>

#include "window/window_look.h"

namespace quill {

namespace {

constexpr std::array<int, 8> kIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

class IconFilesEngine : public QIconEngine {
 public:
  IconFilesEngine() = default;

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal scale = painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1;
    sizeFor(rect.size() * scale).paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return sizeFor(size).actualSize(size, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return sizeFor(size).pixmap(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    QList<QSize> sizes;
    if (mode != QIcon::Normal || state != QIcon::Off) return sizes;
    for (const int size : kIconSizes) sizes.push_back(QSize(size, size));
    return sizes;
  }
  QString key() const override { return QStringLiteral("IconFilesEngine"); }
  QIconEngine* clone() const override { return new IconFilesEngine(*this); }
  bool isNull() override { return false; }

 private:
  IconFilesEngine(const IconFilesEngine&) = default;

  // The size Qt's own icons would draw from: the smallest at least as large as asked, else the
  // largest. Drawn, scaled and greyed by Qt from that one file, exactly as from all eight.
  QIcon& sizeFor(const QSize& wanted) {
    std::size_t pick = 0;
    while (pick + 1 < kIconSizes.size() &&
           qint64{kIconSizes[pick]} * kIconSizes[pick] < qint64{wanted.width()} * wanted.height()) {
      ++pick;
    }
    QIcon& icon = loaded_[pick];
    if (icon.isNull()) {
      const int size = kIconSizes[pick];
      icon.addFile(QStringLiteral(":/icons/quillmere-%1.png").arg(size), QSize(size, size));
    }
    return icon;
  }

  std::array<QIcon, kIconSizes.size()> loaded_;
};

}  // namespace

QIcon WindowIcon() {
  // The desktop's icon, rendered from the same drawing for every size a title bar or task
  // switcher asks for.
  return QIcon(new IconFilesEngine);
}

}  // namespace quill
