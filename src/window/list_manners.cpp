// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/list_manners.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace quill {

namespace {

class CutOffToolTips : public QObject {
 public:
  explicit CutOffToolTips(QAbstractItemView& view) : QObject(&view), view_(view) {
    view_.viewport()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = view_.indexAt(help->pos());
    const QRect line = view_.visualRect(index);
    const bool cutOff =
        index.isValid() && (line.left() < 0 || line.left() + view_.sizeHintForIndex(index).width() >
                                                   view_.viewport()->width());
    if (cutOff) {
      QToolTip::showText(help->globalPos(), index.data(Qt::DisplayRole).toString(),
                         view_.viewport(), line);
    } else {
      QToolTip::hideText();
    }
    return true;
  }

 private:
  QAbstractItemView& view_;
};

}  // namespace

int IndentDelegate::indent(const QStyleOptionViewItem& option, const QModelIndex& index) {
  return index.data(kIndentRole).toInt() *
         option.fontMetrics.horizontalAdvance(QStringLiteral("  "));
}

void IndentDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
  QStyleOptionViewItem shifted = option;
  shifted.rect.setLeft(option.rect.left() + indent(option, index));
  QStyledItemDelegate::paint(painter, shifted, index);
}

QSize IndentDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(option, index), 0);
}

void ShowWholeTextOfCutOffLines(QAbstractItemView& view) {
  new CutOffToolTips(view);
}

}  // namespace quill
