// SPDX-License-Identifier: GPL-3.0-or-later
// How the lists behave for a player beyond what they list: indentation that leaves the text
// alone (so typing a name finds it), and the whole text of a cut-off line as its tooltip.
#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace quill {

// An item's depth in a tree shown as a flat list; each level is drawn two spaces further right.
inline constexpr int kIndentRole = Qt::UserRole + 1;

class IndentDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  static int indent(const QStyleOptionViewItem& option, const QModelIndex& index);
};

// Lines that the list cuts off show their whole text as a tooltip; others show none.
void ShowWholeTextOfCutOffLines(QAbstractItemView& view);

}  // namespace quill
