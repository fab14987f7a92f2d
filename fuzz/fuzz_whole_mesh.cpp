// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-mesh readers on the same bytes: every index within what it indexes, one vertex per UV
// and per blend, coordinates a Sim can have, no more records than the input has room for, and a
// mesh read from either form written again as a binary mesh reads back the same.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "content/mesh.h"
#include "fuzz_check.h"
#include "skin_builder.h"

namespace {

using namespace quill::content;

// Two string lengths and six counts, then each record's fields, a bone's name at least its length.
std::size_t LeastBytes(const Mesh& mesh) {
  return 2 + 6 * 4 + mesh.bones.size() + 12 * mesh.faces.size() + 20 * mesh.bindings.size() +
         8 * mesh.uvs.size() + 8 * mesh.blends.size() + 24 * mesh.vertices.size();
}

// Two header lines, six counts and a line a record.
std::size_t LeastLines(const Mesh& mesh) {
  return 2 + 6 + mesh.bones.size() + mesh.faces.size() + mesh.bindings.size() + mesh.uvs.size() +
         mesh.blends.size() + mesh.vertices.size();
}

bool Small(float value) {
  return std::fabs(value) <= kLargestCoordinate;
}

void CheckMesh(const Mesh& mesh) {
  const std::uint64_t real = mesh.uvs.size();
  FUZZ_REQUIRE(mesh.bones.size() <= kMostMeshBones);
  FUZZ_REQUIRE(mesh.faces.size() <= kMostMeshFaces);
  FUZZ_REQUIRE(mesh.vertices.size() <= kMostMeshVertices);
  FUZZ_REQUIRE(mesh.vertices.size() == mesh.uvs.size() + mesh.blends.size());
  for (const auto& face : mesh.faces) {
    for (const std::uint32_t index : face) FUZZ_REQUIRE(index < real);
  }
  for (const Binding& binding : mesh.bindings) {
    FUZZ_REQUIRE(binding.bone < mesh.bones.size());
    FUZZ_REQUIRE(std::uint64_t{binding.firstVertex} + binding.vertexCount <= real);
    FUZZ_REQUIRE(binding.firstBlend < 0 ||
                 static_cast<std::uint64_t>(binding.firstBlend) + binding.blendCount <=
                     mesh.blends.size());
  }
  for (const Blend& blend : mesh.blends) FUZZ_REQUIRE(blend.targetVertex < real);
  for (const auto& uv : mesh.uvs) FUZZ_REQUIRE(std::ranges::all_of(uv, Small));
  for (const Vertex& vertex : mesh.vertices) {
    FUZZ_REQUIRE(std::ranges::all_of(vertex.position, Small));
    FUZZ_REQUIRE(std::ranges::all_of(vertex.normal, Small));
  }
}

// The mesh as the builder describes one.
quill::testdata::MeshSpec Described(const Mesh& mesh) {
  quill::testdata::MeshSpec out{
      mesh.name, mesh.defaultTexture, mesh.bones, mesh.faces, {}, mesh.uvs, {}, {}};
  for (const Binding& b : mesh.bindings) {
    out.bindings.push_back({b.bone, b.firstVertex, b.vertexCount, b.firstBlend, b.blendCount});
  }
  for (const Blend& blend : mesh.blends) out.blends.push_back({blend.weight, blend.targetVertex});
  for (const Vertex& vertex : mesh.vertices)
    out.vertices.push_back({vertex.position, vertex.normal});
  return out;
}

// Whether the mesh, written as a binary mesh, reads back record for record the same.
bool ReadsBackTheSame(const Mesh& mesh) {
  const std::optional<Mesh> again = ReadBinaryMesh(quill::testdata::BinaryMesh(Described(mesh)));
  if (!again) return false;
  const auto sameBinding = [](const Binding& a, const Binding& b) {
    return a.bone == b.bone && a.firstVertex == b.firstVertex && a.vertexCount == b.vertexCount &&
           a.firstBlend == b.firstBlend && a.blendCount == b.blendCount;
  };
  const auto sameBlend = [](const Blend& a, const Blend& b) {
    return a.weight == b.weight && a.targetVertex == b.targetVertex;
  };
  const auto sameVertex = [](const Vertex& a, const Vertex& b) {
    return a.position == b.position && a.normal == b.normal;
  };
  return again->name == mesh.name && again->defaultTexture == mesh.defaultTexture &&
         again->bones == mesh.bones && again->faces == mesh.faces &&
         std::ranges::equal(again->bindings, mesh.bindings, sameBinding) &&
         again->uvs == mesh.uvs && std::ranges::equal(again->blends, mesh.blends, sameBlend) &&
         std::ranges::equal(again->vertices, mesh.vertices, sameVertex);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = quill::fuzz::AsBytes(data, size);
  if (const std::optional<Mesh> binary = ReadBinaryMesh(bytes)) {
    CheckMesh(*binary);
    FUZZ_REQUIRE(LeastBytes(*binary) <= size);
    FUZZ_REQUIRE(ReadsBackTheSame(*binary));
  }
  if (const std::optional<Mesh> text = ReadTextMesh(bytes)) {
    CheckMesh(*text);
    // Each line but the last ends in '\n'.
    FUZZ_REQUIRE(LeastLines(*text) <= size + 1);
    FUZZ_REQUIRE(ReadsBackTheSame(*text));
  }
  return 0;
}
