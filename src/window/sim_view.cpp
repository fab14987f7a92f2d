// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/sim_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace quill {

namespace {

// Tall as a standing Sim, and small enough for the card to fit a 1024 × 768 screen.
constexpr QSize kPreferredSize(240, 360);
constexpr float kDegreesPerPixel = 0.5F;
constexpr float kDegreesPerKey = 15;
// Beyond this the Sim would be seen from straight above or below, where turning it is confusing.
constexpr float kSteepestPitch = 80;
constexpr float kZoomPerNotch = 1.25F;
// What a mouse wheel sends for one notch.
constexpr int kNotch = 120;

}  // namespace

SimView::SimView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SimCardView"));
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::OpenHandCursor);
  setToolTip(QStringLiteral(
      "Drag or use the arrow keys to turn the Sim, the wheel to zoom; Home turns it back"));
  setAccessibleName(QStringLiteral("The Sim in 3D"));
}

void SimView::setSim(std::shared_ptr<const render::DressedSim> sim) {
  sim_ = std::move(sim);
  picture_ = {};
  update();
}

QImage SimView::picture() const {
  // Drawn again after a change (which drops the picture) or at a new size, in the screen's own
  // pixels, so that the Sim is as sharp on a high-density screen as on any other.
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = (QSizeF(size()) * ratio).toSize();
  if (picture_.size() != pixels) {
    std::vector<render::DrawnPart> parts;
    if (sim_) parts = sim_->parts();
    picture_ = render::DrawSim(parts, pixels, view_, QColor::fromRgb(render::kSimBackground));
    picture_.setDevicePixelRatio(ratio);
  }
  return picture_;
}

QSize SimView::sizeHint() const {
  return kPreferredSize;
}

void SimView::look(render::View view) {
  // Kept within one turn, so that turning for long loses no precision.
  view.yawDegrees = std::fmod(view.yawDegrees, 360.0F);
  view.pitchDegrees = std::clamp(view.pitchDegrees, -kSteepestPitch, kSteepestPitch);
  view.zoom = std::clamp(view.zoom, render::kLeastZoom, render::kMostZoom);
  view_ = view;
  picture_ = {};
  update();
}

void SimView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture());
}

void SimView::keyPressEvent(QKeyEvent* event) {
  render::View view = view_;
  switch (event->key()) {
    case Qt::Key_Left:
      view.yawDegrees -= kDegreesPerKey;
      break;
    case Qt::Key_Right:
      view.yawDegrees += kDegreesPerKey;
      break;
    case Qt::Key_Up:
      view.pitchDegrees -= kDegreesPerKey;
      break;
    case Qt::Key_Down:
      view.pitchDegrees += kDegreesPerKey;
      break;
    case Qt::Key_Home:
      view = {};
      break;
    default:
      return QWidget::keyPressEvent(event);
  }
  look(view);
}

void SimView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  dragFrom_ = event->position().toPoint();
  setCursor(Qt::ClosedHandCursor);
}

// The Sim follows the pointer: dragged right it turns its front to the right, dragged down it
// leans towards the player, showing more of its top.
void SimView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return QWidget::mouseMoveEvent(event);
  const QPoint at = event->position().toPoint();
  const QPoint moved = at - dragFrom_;
  dragFrom_ = at;
  render::View view = view_;
  view.yawDegrees += float(moved.x()) * kDegreesPerPixel;
  view.pitchDegrees += float(moved.y()) * kDegreesPerPixel;
  look(view);
}

void SimView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) setCursor(Qt::OpenHandCursor);
  QWidget::mouseReleaseEvent(event);
}

void SimView::wheelEvent(QWheelEvent* event) {
  wheelTurned_ += event->angleDelta().y();
  render::View view = view_;
  for (; wheelTurned_ >= kNotch; wheelTurned_ -= kNotch) view.zoom *= kZoomPerNotch;
  for (; wheelTurned_ <= -kNotch; wheelTurned_ += kNotch) view.zoom /= kZoomPerNotch;
  if (view.zoom != view_.zoom) look(view);
  event->accept();
}

}  // namespace quill
