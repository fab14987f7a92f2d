// SPDX-License-Identifier: GPL-3.0-or-later
// One walk over a mesh's records serves both forms. Faces and bindings come before the vertices
// and blends they index, so the indices are checked once the whole mesh is read.
#include "content/mesh.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "content/mesh_values.h"

namespace quill::content {

namespace {

using mesh_values::Least;

constexpr Least kBoneLeast{1, 1};
constexpr Least kFaceLeast{3 * 4, 1};
constexpr Least kBindingLeast{5 * 4, 1};
constexpr Least kUvLeast{2 * 4, 1};
constexpr Least kBlendLeast{2 * 4, 1};
constexpr Least kVertexLeast{6 * 4, 1};

std::size_t AtMost(std::size_t count, std::size_t most) {
  if (count > most) throw ChunkFailure("more than a mesh can hold");
  return count;
}

// A position, normal or texture coordinate; one that is not a number fails the test too.
template <typename Record>
float Coordinate(Record& record) {
  const float value = record.f32();
  if (!(std::fabs(value) <= kLargestCoordinate)) throw ChunkFailure("not a coordinate");
  return value;
}

template <typename Values>
std::array<std::uint32_t, 3> ReadFace(Values& in) {
  auto record = in.record();
  std::array<std::uint32_t, 3> face{};
  for (std::uint32_t& index : face) index = record.u32();
  record.end();
  return face;
}

template <typename Values>
Binding ReadBinding(Values& in) {
  auto record = in.record();
  Binding binding;
  binding.bone = record.u32();
  binding.firstVertex = record.u32();
  binding.vertexCount = record.u32();
  binding.firstBlend = record.i32();
  binding.blendCount = record.u32();
  record.end();
  return binding;
}

template <typename Values>
std::array<float, 2> ReadUv(Values& in) {
  auto record = in.record();
  std::array<float, 2> uv{};
  for (float& value : uv) value = Coordinate(record);
  record.end();
  return uv;
}

template <typename Values>
Blend ReadBlend(Values& in) {
  auto record = in.record();
  Blend blend;
  if constexpr (Values::kBlendTargetFirst) {
    blend.targetVertex = record.u32();
    blend.weight = record.i32();
  } else {
    blend.weight = record.i32();
    blend.targetVertex = record.u32();
  }
  record.end();
  return blend;
}

template <typename Values>
Vertex ReadVertex(Values& in) {
  auto record = in.record();
  Vertex vertex;
  for (float& value : vertex.position) value = Coordinate(record);
  for (float& value : vertex.normal) value = Coordinate(record);
  record.end();
  return vertex;
}

// Faces and blends index the real vertices, bindings the bones, the real vertices and the blends.
// Ranges are summed in 64 bits, so that none wraps round to look short.
bool IndicesFit(const Mesh& mesh) {
  const std::uint64_t realVertices = mesh.uvs.size();
  const auto real = [&](std::uint32_t index) { return index < realVertices; };
  const auto faceFits = [&](const auto& face) { return std::ranges::all_of(face, real); };
  const auto bindingFits = [&](const Binding& binding) {
    return binding.bone < mesh.bones.size() &&
           std::uint64_t{binding.firstVertex} + binding.vertexCount <= realVertices &&
           (binding.firstBlend < 0 ||
            static_cast<std::uint64_t>(binding.firstBlend) + binding.blendCount <=
                mesh.blends.size());
  };
  const auto blendFits = [&](const Blend& blend) { return real(blend.targetVertex); };
  return std::ranges::all_of(mesh.faces, faceFits) &&
         std::ranges::all_of(mesh.bindings, bindingFits) &&
         std::ranges::all_of(mesh.blends, blendFits);
}

template <typename Values>
std::optional<Mesh> ReadMesh(Values& in) {
  Mesh mesh;
  try {
    MeshHeader header = mesh_values::ReadMeshHeader(in);
    mesh.name = std::move(header.name);
    mesh.defaultTexture = std::move(header.defaultTexture);
    mesh.bones.resize(AtMost(in.count(kBoneLeast), kMostMeshBones));
    for (std::string& bone : mesh.bones) bone = in.string();
    mesh.faces.resize(AtMost(in.count(kFaceLeast), kMostMeshFaces));
    for (auto& face : mesh.faces) face = ReadFace(in);
    // Bindings have no bound of their own, so each is kept only once read: a count of empty lines
    // cannot claim twenty times the text's size.
    for (std::size_t left = in.count(kBindingLeast); left > 0; --left) {
      mesh.bindings.push_back(ReadBinding(in));
    }
    // Every UV and every blend has its vertex, so neither can outnumber the vertices.
    mesh.uvs.resize(AtMost(in.count(kUvLeast), kMostMeshVertices));
    for (auto& uv : mesh.uvs) uv = ReadUv(in);
    mesh.blends.resize(AtMost(in.count(kBlendLeast), kMostMeshVertices));
    for (Blend& blend : mesh.blends) blend = ReadBlend(in);
    const std::size_t vertices = in.count(kVertexLeast);
    if (vertices != mesh.uvs.size() + mesh.blends.size()) return std::nullopt;
    mesh.vertices.resize(AtMost(vertices, kMostMeshVertices));
    for (Vertex& vertex : mesh.vertices) vertex = ReadVertex(in);
  } catch (const ChunkFailure&) {
    return std::nullopt;
  }
  if (!IndicesFit(mesh)) return std::nullopt;
  return mesh;
}

}  // namespace

std::optional<Mesh> ReadBinaryMesh(std::string_view bytes) {
  mesh_values::BinaryValues in(bytes);
  return ReadMesh(in);
}

std::optional<Mesh> ReadTextMesh(std::string_view text) {
  mesh_values::TextValues in(text);
  return ReadMesh(in);
}

}  // namespace quill::content
