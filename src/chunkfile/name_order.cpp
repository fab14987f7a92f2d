// SPDX-License-Identifier: GPL-3.0-or-later
#include "chunkfile/name_order.h"

#include <algorithm>
#include <string>

#include "platform/files.h"
#include "platform/text.h"

namespace quill {

namespace {

// Lower case, so that "_" sorts before the letters; ASCII only, whatever the locale.
std::string Folded(const std::filesystem::path& name) {
  return platform::AsciiLowerCase(name.string());
}

}  // namespace

void SortByName(std::vector<std::filesystem::path>& names) {
  std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
    const std::string fa = Folded(a);
    const std::string fb = Folded(b);
    return fa != fb ? fa < fb : a.native() < b.native();
  });
}

bool IsCharacterFileName(const std::filesystem::path& name) {
  return Folded(name).rfind("user", 0) == 0;
}

std::optional<std::vector<std::filesystem::path>> ListCharacterFiles(
    const std::filesystem::path& folder) {
  std::optional<platform::FolderListing> listing = platform::ListFolder(folder);
  if (!listing) return std::nullopt;
  std::vector<std::filesystem::path> names;
  for (std::filesystem::path& name : listing->files) {
    if (IsCharacterFileName(name)) names.push_back(std::move(name));
  }
  SortByName(names);
  return names;
}

}  // namespace quill
