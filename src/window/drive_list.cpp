// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/drive_list.h"

#include "platform/files.h"
#include "platform/text.h"

namespace quill {

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
  for (const std::string& drive : platform::ListDrives()) addItem(QString::fromStdString(drive));
  drive_ = platform::DriveOf(platform::CurrentFolder());
  setCurrentText(QString::fromStdString(drive_));
}

bool DriveList::setDrive(const std::string& drive) {
  const int listed = findText(QString::fromStdString(drive), Qt::MatchFixedString);
  if (listed < 0) return false;
  if (platform::AsciiLowerCase(drive) == platform::AsciiLowerCase(drive_)) return true;
  // Named as the list names it, whatever case the caller wrote.
  drive_ = itemText(listed).toStdString();
  setCurrentIndex(listed);
  emit changed();
  return true;
}

}  // namespace quill
