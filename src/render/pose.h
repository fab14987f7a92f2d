// SPDX-License-Identifier: GPL-3.0-or-later
// A Sim's skins put on its skeleton in the rest pose: each bone's place in the world, and each
// mesh's vertices moved there, blends and all, in the viewer's right-handed axes (y up).
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "content/mesh.h"
#include "content/suit_file.h"

namespace quill::render {

// Column-major 4 × 4: m[column][row].
using Matrix = std::array<std::array<float, 4>, 4>;

// Each bone's world matrix, in the skeleton's order: its parent's world × translation(position) ×
// rotation(conjugate of the stored quaternion). Nothing when a parent is not found before its
// child, or a value is not a number; nor for more than 64 bones, or a bone's position past
// content::kLargestCoordinate.
std::optional<std::vector<Matrix>> BoneWorlds(const content::Skeleton& skeleton);

struct PosedMesh {
  std::vector<std::array<float, 3>> positions;  // one per real vertex
  std::vector<std::array<float, 3>> normals;
  std::vector<std::array<float, 2>> uvs;
  std::vector<std::array<std::uint32_t, 3>> triangles;  // wound for the mirrored axes
};

// The mesh in the skeleton's rest pose: a vertex of binding b at world(bone of b) × its position;
// blend j, of the binding whose blend range holds it, pulls its target to world(that bone) ×
// blend vertex j by weight / 32768; normals alike. Then x is mirrored and each triangle's winding
// reversed, for the data is left-handed. A weight below 0 or above 0x8000 counts as that end; a
// vertex of no binding stays where the mesh puts it. Nothing when a bone the mesh names is not the
// skeleton's, or `worlds` are not the skeleton's, or the mesh does not hold together as a read one
// does (an index past what it indexes, other than one vertex per texture place and one per blend,
// a number that is not one or is past content::kLargestCoordinate).
std::optional<PosedMesh> PoseMesh(const content::Skeleton& skeleton,
                                  const std::vector<Matrix>& worlds, const content::Mesh& mesh);

}  // namespace quill::render
