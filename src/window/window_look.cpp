#include "window/window_look.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>

namespace quill {

namespace {

const QColor kNavy(0, 0, 128);

// Draws the icon with the sixteen colours of the classic palette only, unsmoothed, so that each
// size is a true 16-colour image.
QPixmap IconImage(int size) {
  QPixmap image(size, size);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  const int unit = size / 16;
  // A page of paper with its corner turned.
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawRect(2 * unit, 1 * unit, 10 * unit, 14 * unit - 1);
  painter.setBrush(QColor(192, 192, 192));
  painter.drawPolygon(
      QPolygon({{10 * unit, 1 * unit}, {12 * unit, 3 * unit}, {10 * unit, 3 * unit}}));
  // Lines of writing.
  painter.setPen(QColor(128, 128, 128));
  for (int line = 5; line <= 12; line += 2)
    painter.drawLine(4 * unit, line * unit, 9 * unit, line * unit);
  // The quill, navy with a yellow nib, across the page.
  QPen quill(kNavy, 2 * unit);
  painter.setPen(quill);
  painter.drawLine(15 * unit - 1, 0, 7 * unit, 10 * unit);
  painter.setPen(QPen(QColor(255, 255, 0), unit));
  painter.drawLine(7 * unit, 10 * unit, 5 * unit, 13 * unit);
  return image;
}

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
  // Where the original face is missing, the nearest sans-serif of like width, so captions fit:
  // Windows has its TrueType twin and Tahoma, Linux the metric twin of Arial.
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

QIcon WindowIcon() {
  QIcon icon;
  icon.addPixmap(IconImage(16));
  icon.addPixmap(IconImage(32));
  return icon;
}

}  // namespace quill
