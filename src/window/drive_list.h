// SPDX-License-Identifier: GPL-3.0-or-later
// The drive list: a hidden combo box naming the current drive.
#pragma once

#include <QComboBox>
#include <string>

namespace quill {

class DriveList : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveList(QWidget* parent = nullptr);

  std::string drive() const { return drive_; }
  // Raises changed() when the drive differs; false when there is no such drive.
  bool setDrive(const std::string& drive);

 signals:
  void changed();

 private:
  std::string drive_;
};

}  // namespace quill
