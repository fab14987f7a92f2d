// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/input_gate.h"

#include <QEvent>

namespace quill {

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
  if (closed_) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
        return true;
      default:
        break;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quill
