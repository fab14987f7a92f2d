// SPDX-License-Identifier: GPL-3.0-or-later
// A whole mesh, the geometry of one skin: binary (.bmf) or text (.skn), the same records in the
// same order. Every index is checked against the counts it refers to, and no coordinate that is
// not a number or is far beyond a Sim's size is let through, so that what is read can be drawn.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill::content {

inline constexpr std::size_t kMostMeshVertices = 200000;
inline constexpr std::size_t kMostMeshFaces = 200000;
inline constexpr std::size_t kMostMeshBones = 64;
// Sims are a few units tall; a coordinate past this is damage, not a Sim.
inline constexpr float kLargestCoordinate = 1000.0F;

// The vertices of one bone: `vertexCount` of them from `firstVertex`, and their blends.
struct Binding {
  std::uint32_t bone = 0;  // into Mesh::bones
  std::uint32_t firstVertex = 0;
  std::uint32_t vertexCount = 0;
  std::int32_t firstBlend = -1;  // -1: none
  std::uint32_t blendCount = 0;
};

// Pulls a vertex toward where another bone puts it: `weight` 0x8000 is all the way.
struct Blend {
  std::int32_t weight = 0;
  std::uint32_t targetVertex = 0;
};

struct Vertex {
  std::array<float, 3> position{};
  std::array<float, 3> normal{};
};

struct Mesh {
  std::string name;
  std::string defaultTexture;  // "x": none
  std::vector<std::string> bones;
  std::vector<std::array<std::uint32_t, 3>> faces;  // into the first uvs.size() vertices
  std::vector<Binding> bindings;
  std::vector<std::array<float, 2>> uvs;  // one per real vertex; (0, 0) the texture's top-left
  std::vector<Blend> blends;
  // uvs.size() real vertices, then one per blend: blend j's point is vertices[uvs.size() + j].
  std::vector<Vertex> vertices;
};

// Nothing when the bytes are cut short, a count or index is out of range, or a coordinate is not
// a number or is too large.
std::optional<Mesh> ReadBinaryMesh(std::string_view bytes);
// The same records one per line; a blend line is "<target vertex> <weight>".
std::optional<Mesh> ReadTextMesh(std::string_view text);

}  // namespace quill::content
