// SPDX-License-Identifier: GPL-3.0-or-later
// What a path the player names is: decided once, by one rule, for the window and the command line.
#pragma once

#include <filesystem>
#include <optional>

#include "inspect/family_export.h"

namespace quill {

enum class PathKind {
  Missing,            // nothing there
  Folder,             // a folder, readable or not
  FamilyExport,       // a family export, read
  BadFamilyExport,    // named ".fam" but no family export that can be read
  CharacterFile,      // named as character files are ("User..."); not yet read
  NotACharacterFile,  // any other file
};

struct PathVerdict {
  PathKind kind = PathKind::Missing;
  std::optional<FamilyExport> family;  // read, for a FamilyExport
};

// A family export is known by its name (".fam", any case) or, when the name is not a character
// file's, by what it holds, read in language slot `languageSlot`.
PathVerdict DecidePath(const std::filesystem::path& path, int languageSlot);

}  // namespace quill
