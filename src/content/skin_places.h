// SPDX-License-Identifier: GPL-3.0-or-later
// Which files the game reads as skins, and from where: the one rule the index applies to every
// file it finds in the game's folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill::content {

enum class SkinKind { Suit, Mesh, Texture };

// The kind of skin a file is by its name (ASCII already folded to lower case): suits ".cmx",
// ".bcf" and ".cmx.bcf"; meshes ".bmf" and ".skn"; textures ".bmp" and ".tga". Nothing for any
// other file.
std::optional<SkinKind> KindOfName(std::string_view foldedName);

bool IsArchiveName(std::string_view foldedName);

// A text suit (".cmx" but not ".cmx.bcf") or a text mesh (".skn"): forms an archive must not hold.
bool IsTextForm(std::string_view foldedName);

// What the game makes of a loose skin file of `kind` lying in `folders` (the folder names from
// the game's folder down, folded to lower case): read where it lies (an empty text); lying in a
// folder it does not read, with the folder to move it to; or nothing for a file outside every
// skins folder, which is no skin of the game's at all (a house's picture, say).
std::optional<std::string> LoosePlaceVerdict(const std::vector<std::string>& folders,
                                             SkinKind kind);

}  // namespace quill::content
