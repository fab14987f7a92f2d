// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the game's skin files from a description, for tests, fuzzing seeds, benchmarks and the
// sample game folder: FAR archives, suit files (binary and text), mesh headers and textures.
#pragma once

#include <array>
#include <cstdint>
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
Bytes BinarySuitFile(const SuitFileSpec& spec);
// The same as a text suit file (.cmx): comment line, "version 300", one value per line.
Bytes TextSuitFile(const SuitFileSpec& spec);

// A binary mesh (.bmf) with the given name and default texture and no geometry.
Bytes BinaryMesh(const std::string& name, const std::string& defaultTexture);
// A text mesh (.skn): the same as lines.
Bytes TextMesh(const std::string& name, const std::string& defaultTexture);

// An 8-bit palette-indexed Windows bitmap, the form the game reads (a grey ramp).
Bytes PaletteBitmap(int width, int height);
// A 24-bit one (the game shows it white).
Bytes TrueColourBitmap(int width, int height);

}  // namespace quill::testdata
