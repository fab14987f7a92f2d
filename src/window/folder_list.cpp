#include "window/folder_list.h"

#include <QApplication>
#include <QStyle>
#include <algorithm>

#include "platform/files.h"
#include "chunkfile/name_order.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

QString Shown(const fs::path& folder) {
  const fs::path name = folder.filename();
  return QString::fromStdString(platform::DisplayName(name.empty() ? folder : name));
}

}  // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  connect(this, &QListWidget::itemActivated, this, &FolderList::openEntry);
  if (const auto here = platform::ResolveFolder(platform::CurrentFolder())) path_ = *here;
  refresh();
}

void FolderList::refresh() {
  showListing(platform::ListFolder(path_));
}

bool FolderList::setPath(const fs::path& folder) {
  const std::optional<fs::path> resolved = platform::ResolveFolder(folder);
  std::optional<platform::FolderListing> listing;
  if (resolved) listing = platform::ListFolder(*resolved);
  if (!listing) {
    refresh();
    return false;
  }
  if (*resolved == path_) return true;
  path_ = *resolved;
  showListing(std::move(listing));
  emit changed();
  return true;
}

void FolderList::showListing(std::optional<platform::FolderListing> listing) {
  clear();
  entries_.clear();
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);

  std::vector<fs::path> chain;
  for (fs::path folder = path_; !folder.empty(); folder = folder.parent_path()) {
    chain.push_back(folder);
    if (folder == folder.parent_path()) break;
  }
  std::reverse(chain.begin(), chain.end());
  int depth = 0;
  for (const fs::path& folder : chain) {
    addItem(new QListWidgetItem(open, QString(depth++ * 2, ' ') + Shown(folder)));
    entries_.push_back(folder);
  }
  if (!entries_.empty()) setCurrentRow(static_cast<int>(entries_.size()) - 1);

  if (!listing) return;
  SortByName(listing->folders);
  for (const fs::path& name : listing->folders) {
    addItem(new QListWidgetItem(closed, QString(depth * 2, ' ') + Shown(name)));
    entries_.push_back(path_ / name);
  }
}

void FolderList::openEntry(QListWidgetItem* item) {
  const int index = row(item);
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  // Copied: refreshing the listing replaces the entries.
  const fs::path folder = entries_[static_cast<std::size_t>(index)];
  setPath(folder);
}

}  // namespace quill
