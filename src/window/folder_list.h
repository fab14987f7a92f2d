// SPDX-License-Identifier: GPL-3.0-or-later
// The folder list: the current folder, the folders above it and the folders directly inside it.
// A double-click or Enter opens a folder; a single click only highlights it, whatever the
// desktop's single-click setting.
#pragma once

#include <QListWidget>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/files.h"

namespace quill {

class FolderList : public QListWidget {
  Q_OBJECT

 public:
  explicit FolderList(QWidget* parent = nullptr);

  const std::filesystem::path& path() const { return path_; }
  // Raises changed() when the folder differs from the current one. A folder that does not exist
  // or cannot be read is refused (false): the current folder stays, its listing refreshed.
  bool setPath(const std::filesystem::path& folder);
  // Shows the current folder again, as it is now on disk.
  void refresh();

 signals:
  void changed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void openEntry(QListWidgetItem* item);
  // Lists the current folder: its chain of ancestors, then the folders of `listing` inside it.
  void showListing(std::optional<platform::FolderListing> listing);

  std::filesystem::path path_;
  std::vector<std::filesystem::path> entries_;  // the full folder behind each row
};

}  // namespace quill
