// SPDX-License-Identifier: GPL-3.0-or-later
#include "inspect/path_kind.h"

#include "chunkfile/name_order.h"

namespace quill {

PathVerdict DecidePath(const std::filesystem::path& path, int languageSlot) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (!std::filesystem::exists(status)) return {PathKind::Missing, std::nullopt};
  if (std::filesystem::is_directory(status)) return {PathKind::Folder, std::nullopt};
  const bool familyName = HasFamilyExportName(path);
  const bool characterName = IsCharacterFileName(path.filename());
  if (familyName || !characterName) {
    if (std::optional<FamilyExport> family = ReadFamilyExportFile(path, languageSlot)) {
      return {PathKind::FamilyExport, std::move(family)};
    }
  }
  if (familyName) return {PathKind::BadFamilyExport, std::nullopt};
  return {characterName ? PathKind::CharacterFile : PathKind::NotACharacterFile, std::nullopt};
}

}  // namespace quill
