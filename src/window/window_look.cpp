// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/window_look.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>

namespace quill {

namespace {

const QColor kNavy(0, 0, 128);

// Qt's Windows styles colour a frame's caption with the palette's text colour, meant for text on
// white list backgrounds, which leaves it dark on navy; a caption belongs to the frame around it,
// so it takes the frame's foreground colour under every style.
class FrameCaptionStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* answer) const override {
    if (hint == SH_GroupBox_TextLabelColor && option != nullptr)
      return static_cast<int>(option->palette.color(QPalette::WindowText).rgba());
    return QProxyStyle::styleHint(hint, option, widget, answer);
  }
};

}  // namespace

void LookFrame(QGroupBox& frame) {
  auto* style = new FrameCaptionStyle;
  style->setParent(&frame);
  frame.setStyle(style);
}

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
  // like width, so that they still fit their controls: Windows has its TrueType twin and Tahoma,
  // Linux the metric twin of Arial.
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                    QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  // Drawn without smoothing, as Windows does unless told otherwise, a one-pixel stem can vanish
  // at this size: under Wine every capital "I" of Liberation Sans did.
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

}  // namespace quill
