// A list box with the old toolkit's manners: setting the selection from code raises the click
// event at once, and only when the selection really changes.
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
  // Empties the list without raising the click event.
  void clearLines();

 signals:
  void clicked();

 private:
  void followSelection();
  int selected_ = -1;
};

}  // namespace quill
