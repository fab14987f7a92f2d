#include "window/visible_text.h"

namespace quill {

QString VisibleText(QString text) {
  for (QChar& c : text) {
    if (c.unicode() < 0x20) c = QChar(0x2400 + c.unicode());
    if (c.unicode() == 0x7F) c = QChar(0x2421);
  }
  return text;
}

}  // namespace quill
