// SPDX-License-Identifier: GPL-3.0-or-later
// A list box whose selection, when set from code, raises the click event at once and only when it
// really changes: so choosing a line from code does its work before the call returns, exactly as
// the user's click does.
#pragma once

#include <QListWidget>

namespace quill {

class SelectionList : public QListWidget {
  Q_OBJECT

 public:
  explicit SelectionList(QWidget* parent = nullptr);

  int selectedIndex() const { return selected_; }
  // -1 clears the selection; an index past the end does too.
  void setSelectedIndex(int index);
  // Selects the line without raising clicked(): for showing a choice already made elsewhere.
  void showSelected(int index);
  // Empties the list without raising the click event.
  void clearLines();

 signals:
  void clicked();

 private:
  void followSelection();
  int selected_ = -1;
};

}  // namespace quill
