// SPDX-License-Identifier: GPL-3.0-or-later
// The start of a mesh file: the mesh's own name and its default texture, which is all the skins
// check needs. Binary meshes (.bmf) hold them as length-prefixed strings, text meshes (.skn) as
// their first two lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quill::content {

struct MeshHeader {
  std::string name;
  std::string defaultTexture;  // "x": none
};

// Nothing when the bytes end before both strings.
std::optional<MeshHeader> ReadBinaryMeshHeader(std::string_view bytes);
// The first two lines, without line ends or surrounding spaces; nothing when there are not two.
std::optional<MeshHeader> ReadTextMeshHeader(std::string_view text);

// Whether a text mesh's first or second line ends in ".skn" or ".bmp" (case ignored): the game
// then draws the part invisible.
bool HasFileNameInHeader(const MeshHeader& header);

}  // namespace quill::content
