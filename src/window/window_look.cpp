#include "window/window_look.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QWidget>

namespace quill {

namespace {

const QColor kNavy(0, 0, 128);

}  // namespace

void LookNavy(QWidget& window) {
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, kNavy);
  palette.setColor(QPalette::WindowText, Qt::white);
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.setFont(WindowFont());
}

void LookSystem(QWidget& widget) {
  QPalette palette = QApplication::palette(&widget);
  widget.setPalette(palette);
}

void LookFileList(QWidget& list) {
  QPalette palette = QApplication::palette(&list);
  palette.setColor(QPalette::Text, palette.color(QPalette::WindowText));
  list.setPalette(palette);
}

void LookGraphical(QAbstractButton& button) {
  QPalette palette = QApplication::palette(&button);
  palette.setColor(QPalette::Button, Qt::white);
  palette.setColor(QPalette::ButtonText, Qt::black);
  button.setPalette(palette);
  button.setAutoFillBackground(true);
}

void LookPictureBox(QLabel& picture) {
  picture.setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture.setLineWidth(2);
  picture.setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QFont WindowFont() {
  QFont font;
  // The captions are measured for MS Sans Serif; where it is missing, the nearest sans-serif of
  // like width, so that they still fit their controls.
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                    QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                    QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  return font;
}

QIcon WindowIcon() {
  // The desktop's icon, rendered from the same drawing for every size a title bar or task
  // switcher asks for.
  QIcon icon;
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/quillmere-%1.png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace quill
