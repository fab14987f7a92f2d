// SPDX-License-Identifier: GPL-3.0-or-later
// The rest pose: bones chained from the root, then each mesh's vertices carried by their bones.
#include "render/pose.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace quill::render {

namespace {

// Skeletons come from suit files; a real adult has 29 bones.
constexpr std::size_t kMostBones = 64;

using Vector3 = std::array<float, 3>;

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Bone names are matched without regard to case: a mesh may spell its bones otherwise than the
// skeleton does.
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::optional<std::size_t> BoneIndex(const content::Skeleton& skeleton, const std::string& name,
                                     std::size_t before) {
  for (std::size_t i = 0; i < before; ++i) {
    if (SameName(skeleton.bones[i].name, name)) return i;
  }
  return std::nullopt;
}

// A position past this is damage, not a Sim; 64 bones so placed end well within a float's range.
bool Sane(float value) {
  return std::isfinite(value) && std::fabs(value) <= content::kLargestCoordinate;
}

// translation(position) × rotation(conjugate of q). A quaternion of any length is taken as the
// rotation it points at, and one of length zero as none; the arithmetic is in double so that no
// stored value can overflow it.
Matrix LocalMatrix(const content::Bone& bone) {
  const double x = -double(bone.rotation[0]);
  const double y = -double(bone.rotation[1]);
  const double z = -double(bone.rotation[2]);
  const double w = bone.rotation[3];
  const double length = x * x + y * y + z * z + w * w;
  const double s = length > 0 ? 2 / length : 0;
  Matrix m{};
  m[0] = {float(1 - s * (y * y + z * z)), float(s * (x * y + z * w)), float(s * (x * z - y * w)),
          0};
  m[1] = {float(s * (x * y - z * w)), float(1 - s * (x * x + z * z)), float(s * (y * z + x * w)),
          0};
  m[2] = {float(s * (x * z + y * w)), float(s * (y * z - x * w)), float(1 - s * (x * x + y * y)),
          0};
  m[3] = {bone.position[0], bone.position[1], bone.position[2], 1};
  return m;
}

Matrix Multiply(const Matrix& a, const Matrix& b) {
  Matrix product{};
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[k][row] * b[column][k];
      product[column][row] = sum;
    }
  }
  return product;
}

// m × (v, w): w = 1 for a point, 0 for a direction.
Vector3 Apply(const Matrix& m, const Vector3& v, float w) {
  Vector3 out{};
  for (int row = 0; row < 3; ++row) {
    out[row] = m[0][row] * v[0] + m[1][row] * v[1] + m[2][row] * v[2] + m[3][row] * w;
  }
  return out;
}

Vector3 Mix(const Vector3& from, const Vector3& to, float weight) {
  return {(1 - weight) * from[0] + weight * to[0], (1 - weight) * from[1] + weight * to[1],
          (1 - weight) * from[2] + weight * to[2]};
}

Vector3 Normalised(const Vector3& v) {
  const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (!(length > 0)) return v;
  return {v[0] / length, v[1] / length, v[2] / length};
}

bool SaneVertex(const content::Vertex& vertex) {
  for (int i = 0; i < 3; ++i) {
    if (!Sane(vertex.position[i]) || !Sane(vertex.normal[i])) return false;
  }
  return true;
}

// Whether every index of the mesh lands in what it indexes, and every number is one a Sim could
// have: a mesh made anywhere but the readers is held to what they promise.
bool HoldsTogether(const content::Mesh& mesh) {
  const std::size_t real = mesh.uvs.size();
  if (mesh.vertices.size() != real + mesh.blends.size()) return false;
  for (const auto& face : mesh.faces) {
    for (const std::uint32_t index : face) {
      if (index >= real) return false;
    }
  }
  for (const content::Binding& binding : mesh.bindings) {
    if (binding.bone >= mesh.bones.size()) return false;
    if (std::uint64_t{binding.firstVertex} + binding.vertexCount > real) return false;
    if (binding.firstBlend >= 0 &&
        std::uint64_t(binding.firstBlend) + binding.blendCount > mesh.blends.size()) {
      return false;
    }
  }
  for (const content::Blend& blend : mesh.blends) {
    if (blend.targetVertex >= real) return false;
  }
  for (const auto& uv : mesh.uvs) {
    if (!Sane(uv[0]) || !Sane(uv[1])) return false;
  }
  for (const content::Vertex& vertex : mesh.vertices) {
    if (!SaneVertex(vertex)) return false;
  }
  return true;
}

}  // namespace

std::optional<std::vector<Matrix>> BoneWorlds(const content::Skeleton& skeleton) {
  if (skeleton.bones.size() > kMostBones) return std::nullopt;
  std::vector<Matrix> worlds;
  worlds.reserve(skeleton.bones.size());
  for (std::size_t i = 0; i < skeleton.bones.size(); ++i) {
    const content::Bone& bone = skeleton.bones[i];
    for (int k = 0; k < 4; ++k) {
      if (!std::isfinite(bone.rotation[k]) || (k < 3 && !Sane(bone.position[k])))
        return std::nullopt;
    }
    const Matrix local = LocalMatrix(bone);
    if (bone.parent == "NULL") {
      worlds.push_back(local);
      continue;
    }
    const std::optional<std::size_t> parent = BoneIndex(skeleton, bone.parent, i);
    if (!parent) return std::nullopt;
    worlds.push_back(Multiply(worlds[*parent], local));
  }
  return worlds;
}

std::optional<PosedMesh> PoseMesh(const content::Skeleton& skeleton,
                                  const std::vector<Matrix>& worlds, const content::Mesh& mesh) {
  if (worlds.size() != skeleton.bones.size() || !HoldsTogether(mesh)) return std::nullopt;
  // The world of each of the mesh's bones, found once by name.
  std::vector<const Matrix*> boneWorlds;
  for (const std::string& name : mesh.bones) {
    const std::optional<std::size_t> index = BoneIndex(skeleton, name, skeleton.bones.size());
    if (!index) return std::nullopt;
    boneWorlds.push_back(&worlds[*index]);
  }

  const std::size_t real = mesh.uvs.size();
  PosedMesh posed;
  posed.uvs = mesh.uvs;
  posed.positions.reserve(real);
  posed.normals.reserve(real);
  for (std::size_t v = 0; v < real; ++v) {
    posed.positions.push_back(mesh.vertices[v].position);
    posed.normals.push_back(mesh.vertices[v].normal);
  }
  for (const content::Binding& binding : mesh.bindings) {
    const Matrix& world = *boneWorlds[binding.bone];
    for (std::size_t v = binding.firstVertex; v < binding.firstVertex + binding.vertexCount; ++v) {
      posed.positions[v] = Apply(world, mesh.vertices[v].position, 1);
      posed.normals[v] = Apply(world, mesh.vertices[v].normal, 0);
    }
  }
  // Blends pull vertices already carried by their own bones, so they come second. Blend j belongs
  // to the first binding whose range holds it.
  std::vector<const Matrix*> blendWorlds(mesh.blends.size(), nullptr);
  for (const content::Binding& binding : mesh.bindings) {
    if (binding.firstBlend < 0) continue;
    const std::size_t first = std::size_t(binding.firstBlend);
    for (std::size_t j = first; j < first + binding.blendCount; ++j) {
      if (blendWorlds[j] == nullptr) blendWorlds[j] = boneWorlds[binding.bone];
    }
  }
  for (std::size_t j = 0; j < mesh.blends.size(); ++j) {
    if (blendWorlds[j] == nullptr) continue;
    const content::Blend& blend = mesh.blends[j];
    // 0x8000 is all the way; a weight past either end is held to it.
    const float weight = std::fmin(std::fmax(float(blend.weight) / 32768.0F, 0.0F), 1.0F);
    const content::Vertex& point = mesh.vertices[real + j];
    std::array<float, 3>& position = posed.positions[blend.targetVertex];
    std::array<float, 3>& normal = posed.normals[blend.targetVertex];
    position = Mix(position, Apply(*blendWorlds[j], point.position, 1), weight);
    normal = Mix(normal, Apply(*blendWorlds[j], point.normal, 0), weight);
  }
  // The data is left-handed: mirroring x makes it right-handed, which turns every triangle over.
  for (std::size_t v = 0; v < real; ++v) {
    posed.positions[v][0] = -posed.positions[v][0];
    posed.normals[v] = Normalised({-posed.normals[v][0], posed.normals[v][1], posed.normals[v][2]});
  }
  posed.triangles.reserve(mesh.faces.size());
  for (const auto& face : mesh.faces) posed.triangles.push_back({face[0], face[2], face[1]});
  return posed;
}

}  // namespace quill::render
