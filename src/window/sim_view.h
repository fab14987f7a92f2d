// SPDX-License-Identifier: GPL-3.0-or-later
// The Sim in 3D on its card: drawn by the program's own rasteriser at the view's size, turned by
// dragging or the arrow keys and zoomed by the wheel, so the player can look at it from all sides.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "render/dress_sim.h"

namespace quill {

class SimView : public QWidget {
  Q_OBJECT

 public:
  explicit SimView(QWidget* parent = nullptr);

  // Shows this Sim seen as the one before it was, so that changing outfits keeps the angle.
  void setSim(std::shared_ptr<const render::DressedSim> sim);
  // What is shown: DrawSim's picture at the view's size, drawn again only after a change.
  QImage picture() const;
  render::View view() const { return view_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void look(render::View view);

  std::shared_ptr<const render::DressedSim> sim_;
  render::View view_;
  QPoint dragFrom_;
  // Wheel turns short of a whole notch, as a touchpad sends them.
  int wheelTurned_ = 0;
  mutable QImage picture_;
};

}  // namespace quill
