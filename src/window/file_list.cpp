#include "window/file_list.h"

#include "platform/files.h"
#include "window/name_order.h"
#include "window/visible_text.h"

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
  std::optional<platform::FolderListing> listing = platform::ListFolder(folder);
  if (!listing) return false;
  std::vector<fs::path> names;
  for (fs::path& name : listing->files) {
    if (IsCharacterFileName(name)) names.push_back(std::move(name));
  }
  SortByName(names);
  clearLines();
  path_ = folder;
  names_ = std::move(names);
  for (const fs::path& name : names_)
    addItem(VisibleText(QString::fromStdString(platform::DisplayName(name))));
  return true;
}

}  // namespace quill
