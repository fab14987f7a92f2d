// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/file_list.h"

#include "chunkfile/name_order.h"
#include "platform/files.h"
#include "platform/text.h"

namespace quill {

namespace fs = std::filesystem;

FileList::FileList(QWidget* parent) : SelectionList(parent) {
  if (const auto here = platform::ResolveFolder(platform::CurrentFolder())) list(*here);
}

bool FileList::setPath(const fs::path& folder) {
  const std::optional<fs::path> resolved = platform::ResolveFolder(folder);
  if (!resolved) return false;
  if (*resolved == path_) return true;
  if (!list(*resolved)) return false;
  emit pathChanged();
  return true;
}

bool FileList::list(const fs::path& folder) {
  std::optional<std::vector<fs::path>> names = ListCharacterFiles(folder);
  if (!names) return false;
  clearLines();
  path_ = folder;
  names_ = std::move(*names);
  for (const fs::path& name : names_)
    addItem(QString::fromStdString(platform::VisibleText(platform::DisplayName(name))));
  return true;
}

}  // namespace quill
