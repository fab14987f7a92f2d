#include "window/drive_list.h"

#include "chunkfile/select_chunk_line.h"
#include "platform/files.h"

namespace quill {

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
  for (const std::string& drive : platform::ListDrives()) addItem(QString::fromStdString(drive));
  drive_ = platform::DriveOf(platform::CurrentFolder());
  setCurrentText(QString::fromStdString(drive_));
}

bool DriveList::setDrive(const std::string& drive) {
  const std::string wanted = UpperCased(drive);
  if (findText(QString::fromStdString(wanted), Qt::MatchFixedString) < 0) return false;
  if (wanted == UpperCased(drive_)) return true;
  drive_ = wanted;
  setCurrentText(QString::fromStdString(wanted));
  emit changed();
  return true;
}

}  // namespace quill
