// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/selection_list.h"

#include <QSignalBlocker>

namespace quill {

SelectionList::SelectionList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Every row is one line of text: telling the view so spares it measuring each new line.
  setUniformItemSizes(true);
  connect(this, &QListWidget::itemSelectionChanged, this, &SelectionList::followSelection);
}

void SelectionList::setSelectedIndex(int index) {
  if (index < -1 || index >= count()) index = -1;
  if (index == selected_) return;
  if (index < 0) {
    clearSelection();
  } else {
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
  }
  // Selecting from code may leave Qt's notification to the selection model; make it certain.
  followSelection();
}

void SelectionList::showSelected(int index) {
  const QSignalBlocker quiet(this);
  if (index < 0 || index >= count()) {
    clearSelection();
    index = -1;
  } else {
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
  }
  selected_ = index;
}

void SelectionList::clearLines() {
  const QSignalBlocker quiet(this);
  clear();
  selected_ = -1;
}

void SelectionList::followSelection() {
  const QList<QListWidgetItem*> items = selectedItems();
  const int now = items.isEmpty() ? -1 : row(items.first());
  if (now == selected_) return;
  selected_ = now;
  emit clicked();
}

}  // namespace quill
