// SPDX-License-Identifier: GPL-3.0-or-later
// A ring around whichever control of the window has the keyboard focus, drawn in a colour that
// shows on the navy background and on the white lists alike, whatever the widget style draws.
#pragma once

#include <QPointer>
#include <QWidget>

namespace quill {

class FocusRing : public QWidget {
  Q_OBJECT

 public:
  // Follows the focus among the descendants of `window`.
  explicit FocusRing(QWidget& window);
  // The control the ring is drawn around, or none.
  QWidget* target() const { return target_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void follow(QWidget* focused);
  void place();

  QWidget& window_;
  QPointer<QWidget> target_;
};

}  // namespace quill
