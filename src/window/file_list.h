// SPDX-License-Identifier: GPL-3.0-or-later
// The file list: the character files ("User*.*") of one folder, sorted by name.
#pragma once

#include <filesystem>
#include <vector>

#include "window/selection_list.h"

namespace quill {

class FileList : public SelectionList {
  Q_OBJECT

 public:
  explicit FileList(QWidget* parent = nullptr);

  const std::filesystem::path& path() const { return path_; }
  // Lists `folder` and raises pathChanged() when it differs from the current folder; a folder
  // that cannot be read is refused (false) and the list stays as it was.
  bool setPath(const std::filesystem::path& folder);

  int fileCount() const { return static_cast<int>(names_.size()); }
  const std::filesystem::path& fileName(int index) const {
    return names_.at(static_cast<std::size_t>(index));
  }

 signals:
  void pathChanged();

 private:
  bool list(const std::filesystem::path& folder);

  std::filesystem::path path_;
  std::vector<std::filesystem::path> names_;
};

}  // namespace quill
