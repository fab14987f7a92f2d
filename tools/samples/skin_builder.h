// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the game's skin files from a description, for tests, fuzzing seeds, benchmarks and the
// sample game folder: FAR archives, suit files (binary and text), mesh headers and textures.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "character_builder.h"

namespace quill::testdata {

struct ArchiveFile {
  std::string name;  // stored as given, folders and all
  Bytes bytes;
};
// A FAR version 1a archive: header, the files' bytes in order, then the manifest.
Bytes FarArchive(const std::vector<ArchiveFile>& files);

struct BoneSpec {
  std::string name;
  std::string parent = "NULL";
  std::array<float, 3> position{};
  std::array<float, 4> rotation{0, 0, 0, 1};
  // When set, the bone's one property list, holding this one key and value; otherwise it has none.
  std::optional<std::pair<std::string, std::string>> property;
};
struct SkeletonSpec {
  std::string name;
  std::vector<BoneSpec> bones;
};
struct SkinSpec {
  std::string bone;
  std::string mesh;
  std::uint32_t censorFlags = 0;
};
struct SuitSpec {
  std::string name;
  std::uint32_t type = 0;
  std::vector<SkinSpec> skins;
};
struct SuitFileSpec {
  std::vector<SkeletonSpec> skeletons;
  std::vector<SuitSpec> suits;
  int skills = 1;  // small made-up skills after the suits, one motion each
};
// A binary suit file (.bcf, .cmx.bcf).
Bytes BinarySuitFile(const SuitFileSpec& description);
// The same as a text suit file (.cmx): comment line, "version 300", one value per line.
Bytes TextSuitFile(const SuitFileSpec& description);

struct MeshBindingSpec {
  std::uint32_t bone = 0;
  std::uint32_t firstVertex = 0;
  std::uint32_t vertexCount = 0;
  std::int32_t firstBlend = -1;  // -1: none
  std::uint32_t blendCount = 0;
};
struct MeshBlendSpec {
  std::int32_t weight = 0x8000;  // 0x8000: all the way
  std::uint32_t targetVertex = 0;
};
struct MeshVertexSpec {
  std::array<float, 3> position{};
  std::array<float, 3> normal{};
};
// A whole mesh, written as given: every count is its list's size, so a description whose lists
// disagree makes a damaged mesh.
struct MeshSpec {
  std::string name;
  std::string defaultTexture = "x";  // "x": none
  std::vector<std::string> bones;
  std::vector<std::array<std::uint32_t, 3>> faces;
  std::vector<MeshBindingSpec> bindings;
  std::vector<std::array<float, 2>> uvs;
  std::vector<MeshBlendSpec> blends;
  std::vector<MeshVertexSpec> vertices;  // the real ones, then one per blend
};
// A binary mesh (.bmf).
Bytes BinaryMesh(const MeshSpec& description);
// A text mesh (.skn): the same records one a line, a blend as "<target vertex> <weight>".
Bytes TextMesh(const MeshSpec& description);
// Meshes with the given name and default texture and no geometry (every count 0).
Bytes BinaryMesh(const std::string& name, const std::string& defaultTexture);
Bytes TextMesh(const std::string& name, const std::string& defaultTexture);

// An 8-bit colour-mapped Targa picture of red and blue stripes a row high, red on top: stored
// bottom row first and raw, or with `runLength` top row first, one run packet a row.
Bytes StripedTarga(int width, int height, bool runLength);

// A square of two triangles on two bones, PELVIS holding its top two vertices and L_LEG its
// bottom two, which also pulls vertex 1 halfway to a point of its own by its one blend (each
// position in its bone's own space):
//   vertex 0 (-0.5, 1, 0) uv (0, 0)   vertex 1 (0.5, 1, 0) uv (1, 0)
//   vertex 2 (-0.5, 0, 0) uv (0, 1)   vertex 3 (0.5, 0, 0) uv (1, 1)
//   faces 0 2 1 and 1 2 3; normals all (0, 0, 1); the blend's point, vertex 4, (0.5, 0.25, 0).
MeshSpec SmallBodyMesh();

// An 8-bit palette-indexed Windows bitmap, the form the game reads (a grey ramp).
Bytes PaletteBitmap(int width, int height);
// The same form in colours: `palette` holds at most 256 of them, and `entry(x, y)` is the one each
// pixel takes, (0, 0) being the top-left.
Bytes PaletteBitmap(int width, int height, const std::vector<Rgb>& palette,
                    const std::function<std::uint8_t(int x, int y)>& entry);
// A 24-bit one (the game shows it white).
Bytes TrueColourBitmap(int width, int height);

// Writes one file of a game folder, making its folders first.
void WriteGameFile(const std::filesystem::path& file, const Bytes& bytes);

}  // namespace quill::testdata
