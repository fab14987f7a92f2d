#include "window/visible_text.h"

#include "platform/text.h"

namespace quill {

QString VisibleText(QString text) {
  for (QChar& c : text) c = QChar(static_cast<char16_t>(platform::VisibleCharacter(c.unicode())));
  return text;
}

}  // namespace quill
