// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the user's clicks and keys away from chosen controls while a read is under way, so that
// a selection made meanwhile cannot start a second read in the middle of the first.
#pragma once

#include <QObject>

namespace quill {

class InputGate : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  void guard(QObject* target) { target->installEventFilter(this); }
  void setClosed(bool closed) { closed_ = closed; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool closed_ = false;
};

}  // namespace quill
