#include "window/drive_list.h"

#include <algorithm>
#include <cctype>

#include "platform/files.h"

namespace quill {

namespace {

std::string Folded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

}  // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
  for (const std::string& drive : platform::ListDrives()) addItem(QString::fromStdString(drive));
  drive_ = platform::DriveOf(platform::CurrentFolder());
  setCurrentText(QString::fromStdString(drive_));
}

bool DriveList::setDrive(const std::string& drive) {
  const std::string wanted = Folded(drive);
  if (findText(QString::fromStdString(wanted), Qt::MatchFixedString) < 0) return false;
  if (wanted == Folded(drive_)) return true;
  drive_ = wanted;
  setCurrentText(QString::fromStdString(wanted));
  emit changed();
  return true;
}

}  // namespace quill
