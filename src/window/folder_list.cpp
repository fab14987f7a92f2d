// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/folder_list.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>

#include "chunkfile/name_order.h"
#include "platform/files.h"
#include "platform/text.h"
#include "window/list_manners.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

QString Shown(const fs::path& folder) {
  const fs::path name = folder.filename();
  return QString::fromStdString(
      platform::VisibleText(platform::DisplayName(name.empty() ? folder : name)));
}

QListWidgetItem* Entry(const QIcon& icon, const QString& text, int depth) {
  auto* item = new QListWidgetItem(icon, text);
  item->setData(kIndentRole, depth);
  return item;
}

}  // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  setItemDelegate(new IndentDelegate(this));
  // Not itemActivated: styles that activate on a single click would open on every click.
  connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::openEntry);
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
    addItem(Entry(open, Shown(folder), depth++));
    entries_.push_back(folder);
  }
  if (!entries_.empty()) setCurrentRow(static_cast<int>(entries_.size()) - 1);

  if (!listing) return;
  SortByName(listing->folders);
  for (const fs::path& name : listing->folders) {
    addItem(Entry(closed, Shown(name), depth));
    entries_.push_back(path_ / name);
  }
}

void FolderList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (QListWidgetItem* item = currentItem()) openEntry(item);
    return;
  }
  QListWidget::keyPressEvent(event);
}

void FolderList::openEntry(QListWidgetItem* item) {
  const int index = row(item);
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  // Copied: refreshing the listing replaces the entries.
  const fs::path folder = entries_[static_cast<std::size_t>(index)];
  setPath(folder);
}

}  // namespace quill
