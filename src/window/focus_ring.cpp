// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/focus_ring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace quill {

namespace {

constexpr int kRingWidth = 2;
const QColor kRingColour(255, 200, 0);

}  // namespace

FocusRing::FocusRing(QWidget& window) : QWidget(&window), window_(window) {
  setObjectName(QStringLiteral("FocusRing"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* focused) { follow(focused); });
}

void FocusRing::follow(QWidget* focused) {
  if (target_) target_->removeEventFilter(this);
  const bool ours = focused != nullptr && focused != &window_ && window_.isAncestorOf(focused) &&
                    focused->parentWidget() != nullptr;
  target_ = ours ? focused : nullptr;
  if (!target_) {
    hide();
    return;
  }
  target_->installEventFilter(this);
  setParent(target_->parentWidget());
  place();
}

void FocusRing::place() {
  if (!target_ || !target_->isVisible()) {
    hide();
    return;
  }
  setGeometry(target_->geometry().adjusted(-kRingWidth, -kRingWidth, kRingWidth, kRingWidth));
  raise();
  show();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
  if (watched == target_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                             event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
    place();
  }
  return false;
}

void FocusRing::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(kRingColour, kRingWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  const qreal half = kRingWidth / 2.0;
  painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

}  // namespace quill
